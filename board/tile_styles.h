// The 38 tile styles: strip image, FX mode and light-text flag per style,
// the colour styles table and the shadow and highlight strips.
#pragma once

struct Image;

constexpr int STYLE_COUNT = 38;
constexpr int STYLE_SLOTS = 50;
constexpr int COLOUR_SLOTS = 6;

extern Image* StyleImage[STYLE_SLOTS];
extern int StyleFXMode[STYLE_SLOTS];
extern int StyleLightText[STYLE_SLOTS];
extern int ColourStyles[COLOUR_SLOTS];
extern Image* ShadowStrip;
extern Image* HighlightStrip;

extern const char* const TILE_STYLE_FILES[STYLE_COUNT];  // archive names

void LoadTileStyles();      // strips, attributes, shadow and highlight
void ResetColourStyles();   // identity
int StyleOfKind(int kind);  // colour slots through ColourStyles, else kind - 6

// The image, FX mode and light-text flag of the style a kind shows; a kind
// whose style lies outside the tables has no image, FX mode 0 and dark text.
Image* KindImage(int kind);
int KindFXMode(int kind);
int KindLightText(int kind);
// The colour a kind shows: the mean of its style's lone-block quarters;
// white while the style's strip is not decoded or has no image.
void KindColour(int kind, int& r, int& g, int& b);
