// Settings held in memory. The persisted ones are written by the profile.
#pragma once

#include <string>

extern const char* const VERSION_TAG;  // "L1.3.4"
extern std::string StoredVersionTag;
extern std::string LanguageFile;  // empty until a language was chosen

extern bool SoundFlag;     // sound effects on
extern bool CustomCursor;  // pointer drawn by the game (H key)

// Display quality: 0 automatic, 1 low, 2 high, and the drawing switches it sets.
extern int DisplayQuality;
extern bool ShadowsOn;
extern bool ParticlesOn;
extern bool BackgroundImagesOn;
extern bool DetailedThumbnailsOn;
