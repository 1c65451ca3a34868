// Definitions of the frame input and the in-memory settings.
#include "app/frame_input.h"
#include "app/settings.h"
#include "media/media.h"

FrameInput Frame;

int64_t ReadClock() { return Milliseconds(); }

const char* const VERSION_TAG = "L1.3.4";
std::string StoredVersionTag = VERSION_TAG;
std::string LanguageFile;

bool SoundFlag = true;
bool CustomCursor = false;

int DisplayQuality = 0;
bool ShadowsOn = true;
bool ParticlesOn = true;
bool BackgroundImagesOn = true;
bool DetailedThumbnailsOn = true;
