#include "app/assets.h"

#include <initializer_list>
#include <string>

#include "app/settings.h"
#include "board/tile_styles.h"
#include "media/media.h"

Image* BumperPicture = nullptr;
Image* PointerImage = nullptr;
Image* PressedPointerImage = nullptr;
Image* LevelCard = nullptr;
Image* LevelCardHighlighted = nullptr;
Image* VictoryPicture = nullptr;
Image* LogoPicture = nullptr;
Image* SideBarBackground = nullptr;
Image* MapBackground = nullptr;
Image* PlayBackground = nullptr;
Image* MenuBackground = nullptr;
Image* StyleBackground = nullptr;
Image* TutorialBackground = nullptr;
Image* IconStrip = nullptr;
Image* LitIconStrip = nullptr;
Image* DigitStrip = nullptr;

Sound* SlideSound = nullptr;
Sound* MergeSound = nullptr;
Sound* ExplosionSound = nullptr;
Sound* ClickSound = nullptr;
Sound* UndoSound = nullptr;
Sound* HoverSound = nullptr;
Sound* MapScrollSound = nullptr;
Sound* LevelStartSound = nullptr;
Sound* LevelWonSound = nullptr;
Sound* MusicTable[MUSIC_TRACKS] = {};

namespace {

std::string Embedded(const char* name) { return std::string(EMBEDDED_PREFIX) + "Data/" + name; }
Image* Picture(const char* name) { return LoadSprite(Embedded(name)); }
Sound* Effect(const char* name) { return LoadSoundFile(Embedded(name), false); }

}  // namespace

void LoadAssets() {
  PointerImage = Picture("souris_curseur_1.png");
  PressedPointerImage = Picture("souris_curseur_2.png");

  SlideSound = Effect("Move2vask.wav");
  MergeSound = Effect("Merge.wav");
  ExplosionSound = Effect("Disappear.wav");
  ClickSound = Effect("Click.wav");
  UndoSound = Effect("SFX_Undo.ogg");
  HoverSound = Effect("MouseOver2.wav");
  MapScrollSound = Effect("Scroll_Map.wav");
  LevelStartSound = Effect("pLiMo_SFX_Start_01.ogg");
  LevelWonSound = Effect("SFX_Victory_Short_01.ogg");

  MusicTable[0] = LoadSoundFile(Embedded("pLiMo_SFX_Victory_01.ogg"), false);
  MusicTable[1] = LoadSoundFile(Embedded("Plimo_Menu.ogg"), true);
  MusicTable[2] = LoadSoundFile(Embedded("Plimo_InGame.ogg"), true);
  MusicTable[3] = LoadSoundFile(Embedded("Plimo_Tuto.ogg"), true);

  LevelCard = Picture("pLiMo_sprite_plateau.png");
  LevelCardHighlighted = Picture("pLiMo_sprite_plateau_highlighted.png");
  VictoryPicture = Picture("pLiMo_sprite_bravo.png");
  SideBarBackground = Picture("menu_barre_vide.png");
  MapBackground = Picture("pLiMo_screen_fond.jpg");
  PlayBackground = Picture("pLiMo_screen_picots.jpg");
  MenuBackground = Picture("pLiMo_screen_menus.jpg");
  StyleBackground = Picture("pLiMo_screen_style.jpg");
  TutorialBackground = Picture("pLiMo_tuto.jpg");
}

void LoadStripAssets() {
  IconStrip = LoadSpriteStrip(Embedded("pLiMo_icones_normales.png"), 64, 64, 0, 11);
  LitIconStrip = LoadSpriteStrip(Embedded("pLiMo_icones_light.png"), 64, 64, 0, 11);
  DigitStrip = LoadSpriteStrip(Embedded("pLiMo_chiffres_10x16.png"), 10, 16, 0, 10);
  LogoPicture = LoadSpriteStrip(Embedded("pLiMo_sprite_bravo.png"), LOGO_PICTURE_WIDTH, LOGO_PICTURE_HEIGHT, 0, 1);
}

void LoadBumperPicture() { BumperPicture = Picture("pLiMo_screen_bumper_lite.png"); }

void ForgetAssets() {
  for (Image** image : {&BumperPicture, &PointerImage, &PressedPointerImage, &LevelCard, &LevelCardHighlighted,
                        &VictoryPicture, &SideBarBackground, &MapBackground, &PlayBackground, &MenuBackground,
                        &StyleBackground, &TutorialBackground, &IconStrip, &LitIconStrip, &DigitStrip, &LogoPicture})
    *image = nullptr;
  for (Sound** sound : {&SlideSound, &MergeSound, &ExplosionSound, &ClickSound, &UndoSound, &HoverSound,
                        &MapScrollSound, &LevelStartSound, &LevelWonSound})
    *sound = nullptr;
  for (Sound*& track : MusicTable) track = nullptr;
  for (Image*& style : StyleImage) style = nullptr;
  ShadowStrip = HighlightStrip = nullptr;
}

int PlayEffect(Sound* sound) {
  if (!SoundFlag || !sound) return 0;
  return PlaySoundEffect(sound);
}
