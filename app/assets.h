// Pictures, sounds and music loaded once at start-up from the archive.
#pragma once

struct Image;
struct Sound;

extern Image* BumperPicture;
extern Image* PointerImage;
extern Image* PressedPointerImage;
extern Image* LevelCard;
extern Image* LevelCardHighlighted;
extern Image* VictoryPicture;
extern Image* SideBarBackground;
extern Image* MapBackground;
extern Image* PlayBackground;
extern Image* MenuBackground;
extern Image* StyleBackground;
extern Image* TutorialBackground;
extern Image* IconStrip;
extern Image* LitIconStrip;
extern Image* DigitStrip;
// The game's logo: the top band of the victory overlay, which holds it alone.
extern Image* LogoPicture;
constexpr int LOGO_PICTURE_WIDTH = 960, LOGO_PICTURE_HEIGHT = 256;

extern Sound* SlideSound;
extern Sound* MergeSound;
extern Sound* ExplosionSound;
extern Sound* ClickSound;
extern Sound* UndoSound;
extern Sound* HoverSound;
extern Sound* MapScrollSound;
extern Sound* LevelStartSound;
extern Sound* LevelWonSound;

constexpr int MUSIC_TRACKS = 4;  // 0 victory jingle, 1 menu, 2 in-game, 3 tutorial
extern Sound* MusicTable[MUSIC_TRACKS];

// The bumper picture, needed by the loading screen before the rest.
void LoadBumperPicture();
// Loads the pictures, sounds and music of the tables above (not the tile
// styles, which the board loads, nor the strips).
void LoadAssets();
// The icon strips and the digit strip, loaded after the tile styles.
void LoadStripAssets();
// Forgets every picture and sound above, before the media layer frees them
// at shutdown, so that nothing points at freed memory afterwards.
void ForgetAssets();
// Plays a sound effect when sounds are on; returns its channel (0 if none).
int PlayEffect(Sound* sound);
