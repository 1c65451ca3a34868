// The entry header of the FreeType subset the media layer's font code uses
// (see freetype_subset.h).
#pragma once
#define FT_FREETYPE_H "freetype_subset.h"
