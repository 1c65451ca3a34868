// Pictures, strips, sound effects and music have the forms the game relies on.
#include <gtest/gtest.h>

#include "tests/assets/asset_files.h"
#include "tests/assets/formats.h"

namespace {

struct PictureSpec {
  std::string Name;
  int Width, Height;
};

std::vector<PictureSpec> PngSpecs() {
  std::vector<PictureSpec> specs = {
      {"Data/pLiMo_screen_bumper_lite.png", 960, 768},
      {"Data/pLiMo_fx_shadows.png", 1440, 48},
      {"Data/pLiMo_fx_highlight.png", 1440, 48},
      {"Data/pLiMo_sprite_plateau.png", 260, 220},
      {"Data/pLiMo_sprite_plateau_highlighted.png", 260, 220},
      {"Data/pLiMo_sprite_bravo.png", 960, 768},
      {"Data/souris_curseur_1.png", 213, 256},
      {"Data/souris_curseur_2.png", 213, 256},
      {"Data/pLiMo_chiffres_10x16.png", 100, 16},
      {"Data/pLiMo_icones_normales.png", 704, 64},
      {"Data/pLiMo_icones_light.png", 704, 64},
      {"Data/menu_barre_vide.png", 64, 768},
  };
  for (const ShippedLanguage& language : ShippedLanguages())
    specs.push_back({std::string("Data/") + language.Flag, 100, 75});
  // Tile strips: 30 cells of 48 x 48 in one row.
  for (const std::string& name : ArchiveMemberNames())
    if (name.rfind("Data/pLiMo_tiles_", 0) == 0) specs.push_back({name, 30 * 48, 48});
  return specs;
}

const char* const JPEGS[] = {"Data/pLiMo_screen_fond.jpg", "Data/pLiMo_screen_picots.jpg",
                             "Data/pLiMo_screen_menus.jpg", "Data/pLiMo_screen_style.jpg", "Data/pLiMo_tuto.jpg"};
const char* const WAVES[] = {"Data/Move2vask.wav", "Data/Merge.wav", "Data/Disappear.wav",
                             "Data/Click.wav", "Data/MouseOver2.wav", "Data/Scroll_Map.wav"};
const char* const VORBIS_EFFECTS[] = {"Data/pLiMo_SFX_Start_01.ogg", "Data/SFX_Victory_Short_01.ogg",
                                      "Data/SFX_Undo.ogg"};
const char* const MUSIC[] = {"Data/pLiMo_SFX_Victory_01.ogg", "Data/Plimo_InGame.ogg", "Data/Plimo_Menu.ogg",
                             "Data/Plimo_Tuto.ogg"};

}  // namespace

TEST(PictureFiles, ThirtyEightTileStripsAreListed) {
  int strips = 0;
  for (const std::string& name : ArchiveMemberNames()) strips += name.rfind("Data/pLiMo_tiles_", 0) == 0;
  EXPECT_EQ(strips, 38);
}

TEST(PictureFiles, EveryPngHasItsSizeAndAnAlphaChannel) {
  const std::vector<PictureSpec> specs = PngSpecs();
  EXPECT_EQ(specs.size(), 12u + 15u + 38u);
  for (const PictureSpec& spec : specs) {
    const PictureHeader header = ReadPngHeader(MemberFile(spec.Name));
    ASSERT_TRUE(header.Ok) << spec.Name << ": " << header.Error;
    EXPECT_EQ(header.Width, spec.Width) << spec.Name;
    EXPECT_EQ(header.Height, spec.Height) << spec.Name;
    EXPECT_TRUE(header.Alpha) << spec.Name << " has no alpha channel";
  }
}

TEST(PictureFiles, BackgroundsAreJpegsOfBoardProportions) {
  for (const char* name : JPEGS) {
    const PictureHeader header = ReadJpegHeader(MemberFile(name));
    ASSERT_TRUE(header.Ok) << name << ": " << header.Error;
    EXPECT_EQ(header.Width, 960) << name;
    EXPECT_EQ(header.Height, 768) << name;
  }
}

TEST(SoundFiles, WavesAreSixteenBitPcmMonoOrStereo) {
  for (const char* name : WAVES) {
    const WaveHeader header = ReadWaveHeader(MemberFile(name));
    ASSERT_TRUE(header.Ok) << name << ": " << header.Error;
    EXPECT_EQ(header.Format, 1) << name;
    EXPECT_EQ(header.BitsPerSample, 16) << name;
    EXPECT_TRUE(header.Channels == 1 || header.Channels == 2) << name;
    EXPECT_GT(header.SampleRate, 0) << name;
    EXPECT_GT(header.DataBytes, 0u) << name;
  }
}

TEST(SoundFiles, OggEffectsAreVorbis) {
  for (const char* name : VORBIS_EFFECTS) {
    const VorbisHeader header = ReadVorbisHeader(MemberFile(name));
    ASSERT_TRUE(header.Ok) << name << ": " << header.Error;
    EXPECT_TRUE(header.Channels == 1 || header.Channels == 2) << name;
  }
}

TEST(SoundFiles, MusicIsStereoVorbis) {
  for (const char* name : MUSIC) {
    const VorbisHeader header = ReadVorbisHeader(MemberFile(name));
    ASSERT_TRUE(header.Ok) << name << ": " << header.Error;
    EXPECT_EQ(header.Channels, 2) << name;
  }
}
