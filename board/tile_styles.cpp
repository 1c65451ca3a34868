// The tile styles: strips, FX modes, light-text flags and the colour styles
// table that maps the six colours onto styles.
#include "board/tile_styles.h"

#include "media/media.h"

const char* const TILE_STYLE_FILES[STYLE_COUNT] = {
    "Data/pLiMo_tiles_sucre_orge_rouge_1.png", "Data/pLiMo_tiles_acide_1.png",
    "Data/pLiMo_tiles_mandarine.png",          "Data/pLiMo_tiles_trucmuche_3.png",
    "Data/pLiMo_tiles_coca_2.png",             "Data/pLiMo_tiles_dark_pool_3.png",
    "Data/pLiMo_tiles_menthe_glace_2.png",     "Data/pLiMo_tiles_losanges.png",
    "Data/pLiMo_tiles_dragon.png",             "Data/pLiMo_tiles_bois.png",
    "Data/pLiMo_tiles_pomme_amour_1.png",      "Data/pLiMo_tiles_violine.png",
    "Data/pLiMo_tiles_lustucru.png",           "Data/pLiMo_tiles_inclusion_1.png",
    "Data/pLiMo_tiles_chocolat.png",           "Data/pLiMo_tiles_lego.png",
    "Data/pLiMo_tiles_vichy_parme.png",        "Data/pLiMo_tiles_briques.png",
    "Data/pLiMo_tiles_night_3.png",            "Data/pLiMo_tiles_radio_moon.png",
    "Data/pLiMo_tiles_stellaire.png",          "Data/pLiMo_tiles_beurre.png",
    "Data/pLiMo_tiles_gomme_red.png",          "Data/pLiMo_tiles_pierre_ponce.png",
    "Data/pLiMo_tiles_purple_dots.png",        "Data/pLiMo_tiles_capitons.png",
    "Data/pLiMo_tiles_carrelage.png",          "Data/pLiMo_tiles_caramel.png",
    "Data/pLiMo_tiles_metal_indus.png",        "Data/pLiMo_tiles_danger.png",
    "Data/pLiMo_tiles_menthe_verte_2.png",     "Data/pLiMo_tiles_caoutchouc.png",
    "Data/pLiMo_tiles_malabar.png",            "Data/pLiMo_tiles_vichy_lemon.png",
    "Data/pLiMo_tiles_scotch.png",             "Data/pLiMo_tiles_moule_choc.png",
    "Data/pLiMo_tiles_sucre_orge_vert.png",    "Data/pLiMo_tiles_chocolat_blanc.png",
};

namespace {

// Particle behaviour of each style: 1 sparkles, 2 bubbles, 3 drops.
constexpr int FX_MODES[STYLE_COUNT] = {1, 1, 0, 3, 2, 3, 2, 0, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 3,
                                       0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0};
// Styles dark enough to need white captions.
constexpr int LIGHT_TEXT[STYLE_COUNT] = {0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 1, 1, 1, 0, 0, 1,
                                         1, 0, 0, 0, 0, 0, 0, 1, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0};

constexpr int SHADOW_FRAMES = 28;
constexpr int TILE_FRAMES = 30;
constexpr int TILE_CELL = 48;

// The attribute tables hold their values from the start, so blocks created
// before the strips are loaded (or without a display) still get their modes.
template <typename T, size_t N>
void CopyAttributes(int (&target)[STYLE_SLOTS], const T (&source)[N]) {
  for (int s = 0; s < STYLE_SLOTS; s++) target[s] = s < static_cast<int>(N) ? source[s] : 0;
}

struct AttributesAtStart {
  AttributesAtStart() {
    CopyAttributes(StyleFXMode, FX_MODES);
    CopyAttributes(StyleLightText, LIGHT_TEXT);
  }
};

}  // namespace

Image* StyleImage[STYLE_SLOTS] = {};
int StyleFXMode[STYLE_SLOTS] = {};
int StyleLightText[STYLE_SLOTS] = {};
int ColourStyles[COLOUR_SLOTS] = {0, 1, 2, 3, 4, 5};
Image* ShadowStrip = nullptr;
Image* HighlightStrip = nullptr;

namespace {
AttributesAtStart attributesAtStart;
}

void LoadTileStyles() {
  const std::string prefix = EMBEDDED_PREFIX;
  for (int s = 0; s < STYLE_COUNT; s++) {
    StyleImage[s] = LoadSpriteStrip(prefix + TILE_STYLE_FILES[s], TILE_CELL, TILE_CELL, 0, TILE_FRAMES);
  }
  CopyAttributes(StyleFXMode, FX_MODES);
  CopyAttributes(StyleLightText, LIGHT_TEXT);
  ShadowStrip = LoadSpriteStrip(prefix + "Data/pLiMo_fx_shadows.png", TILE_CELL, TILE_CELL, 0, SHADOW_FRAMES);
  HighlightStrip =
      LoadSpriteStrip(prefix + "Data/pLiMo_fx_highlight.png", TILE_CELL, TILE_CELL, 0, SHADOW_FRAMES);
}

void ResetColourStyles() {
  for (int c = 0; c < COLOUR_SLOTS; c++) ColourStyles[c] = c;
}

int StyleOfKind(int kind) {
  if (kind < 0) return -1;
  return kind < COLOUR_SLOTS ? ColourStyles[kind] : kind - COLOUR_SLOTS;
}

namespace {
bool ValidStyle(int style) { return style >= 0 && style < STYLE_SLOTS; }
}  // namespace

Image* KindImage(int kind) {
  const int s = StyleOfKind(kind);
  return ValidStyle(s) ? StyleImage[s] : nullptr;
}

int KindFXMode(int kind) {
  const int s = StyleOfKind(kind);
  return ValidStyle(s) ? StyleFXMode[s] : 0;
}

int KindLightText(int kind) {
  const int s = StyleOfKind(kind);
  return ValidStyle(s) ? StyleLightText[s] : 0;
}

void KindColour(int kind, int& r, int& g, int& b) {
  Image* strip = KindImage(kind);
  int sum[3] = {}, n = 0;
  for (int frame = 20; frame < 24; frame++) {  // the four quarters of a lone block
    int c[3];
    if (!FrameColour(strip, frame, c[0], c[1], c[2])) continue;
    for (int i = 0; i < 3; i++) sum[i] += c[i];
    n++;
  }
  r = n ? sum[0] / n : 255;
  g = n ? sum[1] / n : 255;
  b = n ? sum[2] / n : 255;
}
