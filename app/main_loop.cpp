#include "app/main_loop.h"

#include <cstdio>
#include <future>
#include <string>
#include <vector>

#include "app/archive.h"
#include "app/assets.h"
#include "app/display.h"
#include "app/frame_input.h"
#include "app/help_page.h"
#include "app/music.h"
#include "app/paths.h"
#include "app/pointer.h"
#include "app/settings.h"
#include "board/block.h"
#include "board/board_draw.h"
#include "board/shape_table.h"
#include "board/tile_styles.h"
#include "effects/effects.h"
#include "levels/code_card.h"
#include "levels/level_bank.h"
#include "levels/level_lifecycle.h"
#include "levels/level_map.h"
#include "levels/random_play.h"
#include "levels/shared_level.h"
#include "levels/victory.h"
#include "localisation/languages.h"
#include "media/media.h"
#include "media/threads.h"
#include "menus/editor.h"
#include "menus/ribbon.h"
#include "menus/screens.h"
#include "menus/side_bar.h"
#include "menus/text_box.h"
#include "menus/tutorial.h"
#include "persistence/best_scores.h"
#include "persistence/profile.h"
#include "persistence/custom_levels.h"
#include "persistence/daily_scores.h"
#include "persistence/random_scores.h"
#include "play/play_input.h"
#include "play/undo.h"
#include "solver/hint.h"

namespace {

// Language text files and their flags, copied out in this order.
const char* const LANGUAGE_COPIES[][2] = {
    {"FR", "French"},   {"EN", "English"},     {"ES", "Espanol"},  {"NL", "Dutch"},
    {"PL", "Polish"},   {"PT", "Portuguese"},  {"DE", "Deutsch"},  {"HU", "Hungarian"},
    {"IT", "Italiano"}, {"CN", "Chinese"},     {"HE", "Hebrew"},   {"BG", "Bulgarian"},
    {"SV", "Swedish"},  {"ZA", "Suid-Afrika"}, {"RO", "Romanian"},
};

bool WebRowHovered = false;

// Brings the language copies up to date on a thread of their own: on a first
// start the thirty files are written while the window opens and the pictures
// load, instead of before. Their messages are shown by the main thread.
// Without threads the copies are made when first waited for.
std::future<std::vector<std::string>> StartLanguageCopies() {
  const std::launch policy = BackgroundThreadsAvailable() ? std::launch::async : std::launch::deferred;
  return std::async(policy, [] {
    std::vector<std::string> names, messages;
    for (const auto& language : LANGUAGE_COPIES) {
      names.push_back(std::string("pLiMo_text_") + language[0] + ".txt");
      names.push_back(std::string(language[1]) + ".png");
    }
    RefreshUserCopies(names, messages);
    return messages;
  });
}

// The first ".ttf" file of the user data folder replaces the embedded font.
std::string ChooseFontPath() {
  FolderListing* listing = OpenFolderListing(UserDataFolder);
  if (listing) {
    for (std::string entry = NextFolderEntry(listing); !entry.empty(); entry = NextFolderEntry(listing)) {
      if (entry == "." || entry == "..") continue;
      std::string ext = FileExtension(entry);
      for (char& c : ext) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
      if (ext == "TTF") {
        CloseFolderListing(listing);
        return UserDataFolder + "/" + entry;
      }
    }
    CloseFolderListing(listing);
  }
  return std::string(EMBEDDED_PREFIX) + "Data/a2.ttf";
}

void ShowLoadingScreen() {
  SetClearColour(0, 0, 0);
  ClearClipArea();
  PresentFrame();
  ClearClipArea();
  DrawSpriteStretched(BumperPicture, 0, 0, static_cast<float>(BOARD_COLUMNS * BlockSize),
                      static_cast<float>(BOARD_ROWS * BlockSize), 0);
  SetDrawColour(0, 0, 0);
  SelectFont(LargeFont);
  SetBlendMode(BLEND_ALPHA);
  SetDrawAlpha(0.4f);
  const std::string text = "Loading...";
  DrawString(text, static_cast<float>((BOARD_COLUMNS * BlockSize - StringWidth(text)) / 2),
             static_cast<float>(ScreenHeight / 2 - 10));
  SelectFont(nullptr);
  SetDrawAlpha(1);
  PresentFrame();
}

// Values that a start-up begins from, also when a test starts the game twice
// in one process.
void ResetInitialValues() {
  StoredVersionTag = VERSION_TAG;
  Wanted = {1024, 768, 96};
  ScreenWidth = 1024;
  ScreenHeight = 768;
  BlockSize = 96;
  HalfCell = 48;
  DesktopSize(DesktopWidth, DesktopHeight);
  Frame = FrameInput();
  ReleaseGrab();
  ClearBoard();
  Fragments.clear();
  CurrentLevel = -1;
  ForgetSharedLevel();
  LevelTimer = 0;
  TotalPlayTime = 0;
  QuitRequested = false;
  ScreenState = SCREEN_MAIN_MENU;
  ReturnState = SCREEN_MAIN_MENU;
  ClearLanguages();
}

Image* ScreenBackground(int screen) {
  switch (screen) {
    case SCREEN_PLAY:
    case SCREEN_EDITOR: return PlayBackground;
    case SCREEN_LEVEL_MAP:
    case SCREEN_CREDITS:
    case SCREEN_VICTORY: return MapBackground;
    case SCREEN_STYLE: return StyleBackground;
    case SCREEN_LANGUAGE_FIRST:
    case SCREEN_LANGUAGE: return BumperPicture;
    case SCREEN_TUTORIAL: return TutorialBackground;
    default: return MenuBackground;
  }
}

void HandleShortcuts(int typed) {
  switch (typed) {
    case 'm':
    case 'M': SetMusic(!MusicFlag); break;
    case 'h':
    case 'H':
      CustomCursor = !CustomCursor;
      if (CustomCursor)
        HideSystemPointer();
      else
        ShowSystemPointer();
      break;
    case 'x':
    case 'X':
      BorderFix = !BorderFix;
      ApplyClipArea();
      break;
    case '+':
    case '-':
      if (StepBlockSize(typed == '+' ? 1 : -1)) {
        SetupDisplay();
        T_BLOCK::PosAllBlocks();
      }
      break;
    default: break;
  }
}

// The tutorial's continue check for the pointer: while it waits, a click on
// the board goes on; while it plays, the board area is not the player's (the
// side bar stays usable).
void TutorialInput() {
  if (TutorialWaiting) {
    if (Frame.LeftHit && PointerInBoard()) {
      ContinueTutorial();
      PlayEffect(ClickSound);
    }
  } else if (Frame.PointerX < BOARD_COLUMNS * BlockSize) {
    Frame.LeftHit = 0;
    Frame.LeftDown = false;
  }
  PlayTutorial();
  UpdatePlay();
}

// A key press on the current screen, after the global keys.
void ScreenKey(const KeyPress& press) {
  switch (ScreenState) {
    case SCREEN_LEVEL_MAP: MapKey(press); break;
    case SCREEN_VICTORY: VictoryKey(press); break;
    case SCREEN_EDITOR: EditorKey(press); break;
    case SCREEN_LANGUAGE_FIRST:
    case SCREEN_LANGUAGE: T_LANG::FlagsKey(press); break;
    // The tutorial's board belongs to its demonstration, and its texts
    // take their own key: the play keys do nothing there.
    case SCREEN_TUTORIAL:
    case SCREEN_CREDITS: break;
    default: PlayKey(press); break;
  }
}

// One key press: Escape, the key that continues a waiting tutorial text,
// the shortcuts of every screen, then the current screen's keys. False when
// the press ends the game.
bool HandleKeyPress(const KeyPress& press) {
  // A code being typed on the map takes every key: Escape closes it, and
  // its letters are not the shortcuts'.
  if (ScreenState == SCREEN_LEVEL_MAP && CodeEntryOpen()) {
    MapKey(press);
    return true;
  }
  if (press.Key == KEY_ESCAPE || press.Char == 27) {
    if (ScreenState == SCREEN_MAIN_MENU) return false;
    if (ScreenState == SCREEN_LANGUAGE)
      SetScreen(SCREEN_OPTIONS_MENU);
    else if (ScreenState != SCREEN_LANGUAGE_FIRST)
      SetScreen(SCREEN_MAIN_MENU);
    return true;
  }
  // The press that continues a text does nothing else.
  if (ScreenState == SCREEN_TUTORIAL && TutorialWaiting && press.Char > 0) {
    ContinueTutorial();
    PlayEffect(ClickSound);
    return true;
  }
  HandleShortcuts(press.Char);
  ScreenKey(press);
  return true;
}

void ScreenInput() {
  switch (ScreenState) {
    case SCREEN_OPTIONS_MENU:
      if (Frame.LeftHit) ClickWebRow(0);
      UpdatePlay();
      break;
    case SCREEN_LEVEL_MAP: UpdateLevelMap(); break;
    case SCREEN_CREDITS: break;
    case SCREEN_VICTORY: UpdateVictoryScreen(); break;
    case SCREEN_LANGUAGE_FIRST:
    case SCREEN_LANGUAGE: T_LANG::DoFlagsSelection(); break;
    case SCREEN_TUTORIAL: TutorialInput(); break;
    case SCREEN_EDITOR: UpdateEditor(); break;
    default: UpdatePlay(); break;
  }
}

void ScreenDrawing() {
  switch (ScreenState) {
    case SCREEN_OPTIONS_MENU:
    case SCREEN_DISPLAY_MENU:
    case SCREEN_QUALITY_MENU:
    case SCREEN_MODE_MENU:
      if (ScreenState == SCREEN_OPTIONS_MENU) DrawWebRow(0);
      DrawTitleRibbon(ScreenTitle(ScreenState), RibbonCentreY());
      DrawPlay();
      break;
    case SCREEN_STYLE:
      DrawTitleRibbon(ScreenTitle(ScreenState), RibbonCentreY());
      DrawStyleScreenGuide();
      DrawPlay();
      break;
    case SCREEN_LEVEL_MAP:
      DrawLevelMap();
      DrawLevelZoom();
      break;
    case SCREEN_MAIN_MENU:
      // The logo stands above the menu's bars, which start at the fourth row.
      DrawLogo();
      DrawPlay();
      break;
    case SCREEN_CREDITS:
      // The logo heads the credits; their panel fills the rest of the board.
      DrawLogo();
      DrawTextBox(BlockSize / 4, LogoHeight(), BOARD_COLUMNS * BlockSize - BlockSize / 4,
                  BOARD_ROWS * BlockSize - LogoHeight() - BlockSize / 4, CreditsText);
      break;
    case SCREEN_LANGUAGE_FIRST:
    case SCREEN_LANGUAGE: T_LANG::DrawFlagsSelection(); break;
    case SCREEN_EDITOR:
      DrawPlay();
      DrawEditor();
      break;
    case SCREEN_VICTORY: {
      const bool particles = ParticlesOn;
      ParticlesOn = false;
      DrawPlay();
      ParticlesOn = particles;
      DrawVictoryScreen();
      break;
    }
    default: DrawPlay(); break;
  }
}

// Runs a drawing step with the clip area opened to the whole display, then
// puts back the game screen's clip (the border fix keeps the whole display).
template <typename Step>
void OnWholeDisplay(Step step) {
  if (!BorderFix) SetClipArea(0, 0, DesktopWidth, DesktopHeight);
  step();
  if (!BorderFix) ApplyClipArea();
}

void DrawKeyboardCursor() {
  if (ScreenState == SCREEN_VICTORY || KeyboardMode == 0) return;
  DrawPointerAt(KeyboardMode == 1 ? PointerImage : PressedPointerImage, KeyboardCursorX * BlockSize + HalfCell,
                KeyboardCursorY * BlockSize + HalfCell);
}

void DrawBorderBands() {
  if (!BorderFix) return;
  const float ox = static_cast<float>(ScreenOffsetX), oy = static_cast<float>(ScreenOffsetY);
  const float w = static_cast<float>(ScreenWidth), h = static_cast<float>(ScreenHeight);
  SetDrawColour(0, 0, 0);
  SetBlendMode(BLEND_SOLID);
  FillRect(-ox, -oy, ox, h + 2 * oy);
  FillRect(w, -oy, ox, h + 2 * oy);
  FillRect(-ox, h, w + 2 * ox, oy);
  FillRect(-ox, -oy, w + 2 * ox, oy);
}

void DrawCustomCursor() {
  if (!CustomCursor) return;
  OnWholeDisplay([] {
    const bool pressed = Frame.LeftHit || Frame.LeftDown;
    DrawPointerAt(pressed ? PressedPointerImage : PointerImage, Frame.PointerX, Frame.PointerY);
  });
}

// The pointer on the board, in the band of one cell's height from `top` down.
bool PointerInBand(int top) {
  return Frame.PointerY >= top && Frame.PointerY <= top + BlockSize && Frame.PointerX >= 0 &&
         Frame.PointerX < BOARD_COLUMNS * BlockSize;
}

}  // namespace

bool PointerInBoard() {
  return Frame.PointerX >= 0 && Frame.PointerX < BOARD_COLUMNS * BlockSize && Frame.PointerY >= 0 &&
         Frame.PointerY < BOARD_ROWS * BlockSize;
}

bool StartUp() {
  SetWindowClass(PLIMO_APP_ID);  // the desktop entry's StartupWMClass
  if (!MediaInit()) return false;
  RegisterArchive();
  SetAppTitle("pLiMo lite");
  ResetInitialValues();

  BuildUserPaths();
  if (!CreateFolder(UserDataFolder)) {
    ShowMessage("Error creating user data directory: " + UserDataFolder);
    MediaQuit();
    return false;
  }
  RemoveStaleTemporaryFiles(UserDataFolder);
  std::future<std::vector<std::string>> copies = StartLanguageCopies();
  // A saved profile names a language copy and is checked against it: it
  // waits for the copies (quick then: they are rarely written).
  if (FileLength(ProfilePath) >= 0) copies.wait();
  ResetColourStyles();
  LoadProfile(ProfilePath);

  FontPath = ChooseFontPath();
  if (LanguageFile.empty()) FitResolutionToDesktop();
  SetupDisplay();
  // Without a window there is nothing to play on (the reason was given).
  if (!DisplayIsOpen()) {
    MediaQuit();
    return false;
  }

  LoadBumperPicture();
  ShowLoadingScreen();
  LoadAssets();
  LoadTileStyles();
  LoadStripAssets();
  MapScroll = static_cast<float>(ScreenHeight);

  InitSideBar();
  LoadShapeTable(std::string(EMBEDDED_PREFIX) + "Data/TabFrame3.bin");
  StartMenuMusicSilently();
  LoadLevelBank();
  LoadBestScores();
  LoadRandomScores();
  LoadDailyScores();
  LoadCustomLevels();

  CheckSavedGame();
  CountUndoRecords();
  RecordWinLeftInHistory();

  Frame.Now = ReadClock();
  RunStartTime = Frame.Now;
  SetMusic(MusicFlag);
  InitTouch();
  // The languages are read from the copies from here on.
  for (const std::string& message : copies.get()) ShowMessage(message);
  // The main menu when the saved language loads and the font can draw its
  // texts; otherwise the player chooses a language, then sees the tutorial.
  SelectFont(LargeFont);
  if (!LanguageFile.empty() && LoadLanguage(LanguageFile) == 1 && FontHasGlyphs(GetText("Play"))) {
    SetScreen(SCREEN_MAIN_MENU);
  } else {
    SetScreen(SCREEN_LANGUAGE_FIRST);
    ReturnState = SCREEN_TUTORIAL;
  }
  if (CurrentLevel > 0) MapScroll = -static_cast<float>(CurrentLevel / (ScreenWidth / 240) * 200);
  return true;
}

bool RunFrame() {
  // Input, once per frame.
  PointerPosition(Frame.PointerX, Frame.PointerY);
  Frame.Wheel = WheelPosition();
  Frame.LeftHit = ButtonHits(BUTTON_LEFT);
  Frame.LeftDown = IsButtonDown(BUTTON_LEFT);
  Frame.RightHit = ButtonHits(BUTTON_RIGHT);
  if (TouchMode && Frame.LeftHit) {
    ShowSystemPointer();
    TouchMode = false;
  }
  PollTouch(Frame.PointerX, Frame.PointerY, Frame.LeftHit, Frame.LeftDown);
  Frame.PointerX -= ScreenOffsetX;
  Frame.PointerY -= ScreenOffsetY;
  Frame.Now = ReadClock();
  Frame.Keys = TakeKeyPresses();

  // Every press acts once, in the order made, on the screen of its time: a
  // press that changes the screen hands the next ones to the new screen.
  const std::vector<KeyPress> presses = Frame.Keys;
  for (const KeyPress& press : presses) {
    if (!HandleKeyPress(press)) return false;
  }
  UpdateMusicFade();
  DoSideBar();
  ScreenInput();
  DoBursts();
  if (QuitRequested) return false;

  // Drawing. The game screen is cleared first so that nothing of the
  // previous frame shows where this one draws nothing.
  SetBlendMode(BLEND_SOLID);
  SetClearColour(0, 0, 0);
  if (CustomCursor) OnWholeDisplay([] { ClearClipArea(); });
  ClearClipArea();
  SetDrawColour(255, 255, 255);
  if (BackgroundImagesOn) {
    DrawSpriteStretched(ScreenBackground(ScreenState), 0, 0, static_cast<float>(BOARD_COLUMNS * BlockSize),
                        static_cast<float>(BOARD_ROWS * BlockSize), 0);
  }
  ScreenDrawing();
  DrawBursts();
  DrawKeyboardCursor();
  DrawSideBar();
  DrawMessage();
  if (ScreenState == SCREEN_TUTORIAL) DrawTutorialPointer();
  if (ScreenState == SCREEN_PLAY) {
    DrawHint();
    DrawRandomLevelMaking();
  }
  DrawBorderBands();
  DrawCustomCursor();
  PresentFrame();

  return !CloseRequested();
}

void SaveProgress() { SaveProfile(ProfilePath); }

void Shutdown() {
  SaveProgress();
  ReleaseGrab();
  ClearBoard();
  Fragments.clear();
  ClearBursts();
  ClearLanguages();
  LargeFont = TextFont = SmallFont = BannerFont = nullptr;
  LevelPicture = nullptr;
  ForgetAssets();
  MediaQuit();
}

std::string WebRowCaption() {
  // A player's own language file may lack the key: English then.
  return GetTextOr("How to play", "How to play");
}

void DrawWebRow(int top) {
  // A finger leaves no hover behind it: in touch mode the row stays still.
  const bool hovered = PointerInBand(top) && !TouchMode;
  DrawButton(WebRowCaption(), BOARD_COLUMNS * BlockSize / 2, top + HalfCell, hovered);
  if (hovered && !WebRowHovered) PlayEffect(HoverSound);
  WebRowHovered = hovered;
}

void ClickWebRow(int top) {
  if (!PointerInBand(top)) return;
  PlayEffect(ClickSound);
  PlayEffect(ExplosionSound);
  if (ScreenMode == 2) ToggleBestFit();
  const std::string address = HelpPageAddress();
  if (address.empty() || OpenWebPage(address)) return;
  // No web browser to show it: say so on the screen, and where the page is
  // for a player who reads the terminal.
  ShowBoardMessage(GetTextOr("No Browser", "No web browser could open the help page"));
  std::fprintf(stderr, "pLiMo lite: no web browser could open %s\n", address.c_str());
}
