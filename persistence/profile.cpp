#include "persistence/profile.h"

#include <algorithm>
#include <iterator>
#include <memory>
#include <string>

#include "app/display.h"
#include "app/frame_input.h"
#include "app/music.h"
#include "app/paths.h"
#include "app/settings.h"
#include "board/tile_styles.h"
#include "levels/level_bank.h"
#include "levels/level_lifecycle.h"
#include "localisation/string_parser.h"
#include "localisation/text_file_reader.h"
#include "localisation/utf8.h"
#include "media/media.h"
#include "persistence/kept_file.h"
#include "play/undo.h"

int64_t TotalPlayTime = 0;
int64_t RunStartTime = 0;

namespace {

constexpr int64_t MS_PER_MINUTE = 60000;
constexpr int64_t MS_PER_HOUR = 3600000;
constexpr int64_t MS_PER_DAY = 86400000;

// Far more than anyone plays (about 35,000 years) and far from the 64-bit
// edge, so adding a run's time can never overflow.
constexpr int64_t MAX_TOTAL_TIME = int64_t{1} << 50;
// The highest level number the packed level value can hold.
constexpr int64_t MAX_LEVEL_NUMBER = 8190;

// A profile that exists but could not be read is never written over.
T_KEPT_FILE keptFile;

// Sizes a hand-edited profile may ask for: the table's own sizes always,
// anything else only as far as the desktop reaches.
constexpr Resolution DEFAULT_RESOLUTION = {1024, 768, 96};
constexpr int MIN_SCREEN_WIDTH = 320;
constexpr int MIN_SCREEN_HEIGHT = 200;

// 32-bit settings are written as their unsigned bit pattern, which reads
// back as the same value.
std::string Number(int value) { return std::to_string(static_cast<uint32_t>(value)); }
std::string Number64(int64_t value) { return std::to_string(static_cast<uint64_t>(value)); }

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// The language file as the profile keeps it: its path from the user data
// folder, so that a "{" (a comment's start) or a double quote in the
// folder's own path cannot cut the line. A path the line cannot carry is
// not kept: the flags come back at the next start.
std::string StoredLanguagePath() {
  std::string path = LanguageFile;
  const std::string folder = UserDataFolder + "/";
  if (path.compare(0, folder.size(), folder) == 0) path.erase(0, folder.size());
  return path.find_first_of("\"{") == std::string::npos ? path : std::string();
}

// A stored language path: from the user data folder, or a whole path as
// older profiles wrote it.
std::string LanguagePathFromProfile(const std::string& stored) {
  const bool whole = stored.empty() || stored[0] == '/' || stored[0] == '\\' ||
                     (stored.size() > 1 && stored[1] == ':');
  return whole ? stored : UserDataFolder + "/" + stored;
}

// The total play time including this run, which is not added to the stored
// total: two saves in one run must not count the same time twice.
int64_t TotalTimeNow() {
  const int64_t elapsed = ReadClock() - RunStartTime;
  return std::clamp(TotalPlayTime, int64_t{0}, MAX_TOTAL_TIME) + std::clamp(elapsed, int64_t{0}, MAX_TOTAL_TIME);
}

std::string UserStyleList() {
  std::string list;
  for (int i = 0; i < COLOUR_SLOTS; ++i) {
    if (i > 0) list += ",";
    list += Number(ColourStyles[i]);
  }
  return list;
}

// The 22 lines of the profile, each ended by CR LF.
std::string ProfileText() {
  const int64_t total = TotalTimeNow();
  const std::string lines[] = {
      "{ PLIMO user config",
      "\"Version\" = " + Quoted(VERSION_TAG),
      "",
      "\"Total Time\" = " + Number64(total) + "     { " + TotalTimeComment(total),
      "\"User Style\" = " + UserStyleList(),
      "\"Music Flag\" = " + std::string(MusicFlag ? "1" : "0") + " { 0/1",
      "\"Language\" = " + Quoted(StoredLanguagePath()),
      "",
      "\"Screen Mode\" = " + Number(ScreenMode) + " { 0:windowed, 1:Full screen centered, 2:full screen best fit",
      "",
      "{ Good screen resolutions: 640x448:56, 804x592:74, 1024x768:96, 1344x1024:128, 1564x1200:150",
      "",
      "\"Resolution X\" = " + Number(Wanted.Width) + " { 10 * Block_Size + 64(SideBar)",
      "\"Resolution Y\" = " + Number(Wanted.Height) + " { 8 * Block_Size",
      "\"Block Size\" = " + Number(Wanted.BlockSize) + " { should be an even number",
      "\"Border Fix\" = " + std::string(BorderFix ? "1" : "0") +
          " { 0:no fix, 1:if you have residual pixels around the screen in fullscreen modes",
      "",
      "\"Display Quality\" = " + Number(DisplayQuality) + " { 0:automatic, 1:Low details, 2:High details",
      "",
      "{ Current game infos",
      "\"Current Level Info\" = " + std::to_string(PackLevelInfo(CurrentLevel, LevelTimer)) + " { don't modify this",
      "",
  };
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

// The low 32 bits of a number read from the profile.
int Low32(int64_t value) { return static_cast<int>(static_cast<uint32_t>(value)); }

bool StartsWithDigit(const T_STRING_PARSER& parser) {
  return !parser.CurrentLine.empty() && parser.CurrentLine[0] >= '0' && parser.CurrentLine[0] <= '9';
}

// A file without a byte-order mark holds one character per byte, which the
// reader hands out as UTF-8; the game's own strings (the language path) are
// the bytes themselves, so they are turned back into those bytes.
std::string LatinOneBytes(const std::string& line) {
  std::string bytes;
  size_t position = 0;
  uint32_t code;
  while (NextUtf8(line, position, code)) bytes.push_back(static_cast<char>(code & 0xFF));
  return bytes;
}

// "User Style": six tile styles separated by commas. A list with fewer than
// six numbers or with a style the game does not have gives the default
// styles, so every colour keeps a style it can draw.
void ReadUserStyles(T_STRING_PARSER& parser) {
  int styles[COLOUR_SLOTS];
  for (int& style : styles) {
    if (!StartsWithDigit(parser)) {
      ResetColourStyles();
      return;
    }
    const int64_t value = parser.GetValue();
    if (value >= STYLE_COUNT) {
      ResetColourStyles();
      return;
    }
    style = static_cast<int>(value);
    parser.GetCharacter();  // the comma
  }
  std::copy(std::begin(styles), std::end(styles), ColourStyles);
}

void ReadEntry(const std::string& key, T_STRING_PARSER& parser) {
  if (key == "Version") {
    StoredVersionTag = parser.GetString();
  } else if (key == "Total Time") {
    TotalPlayTime = parser.GetValue();
  } else if (key == "User Style") {
    ReadUserStyles(parser);
  } else if (key == "Music Flag") {
    MusicFlag = Low32(parser.GetValue()) != 0;
  } else if (key == "Language") {
    LanguageFile = LanguagePathFromProfile(parser.GetString());
  } else if (key == "Current Level Info") {
    UnpackLevelInfo(static_cast<uint64_t>(parser.GetValue()), CurrentLevel, LevelTimer);
  } else if (key == "Current Level Num") {
    // Stored from 1; anything outside the levels a profile can name is none.
    const int64_t stored = parser.GetValue();
    CurrentLevel = stored >= 1 && stored <= MAX_LEVEL_NUMBER + 1 ? static_cast<int>(stored) - 1 : -1;
  } else if (key == "Current Level Timer") {
    LevelTimer = parser.GetValue();
  } else if (key == "Screen Mode") {
    ScreenMode = Low32(parser.GetValue());
  } else if (key == "Resolution X") {
    ScreenWidth = Wanted.Width = Low32(parser.GetValue());
  } else if (key == "Resolution Y") {
    ScreenHeight = Wanted.Height = Low32(parser.GetValue());
  } else if (key == "Block Size") {
    BlockSize = Wanted.BlockSize = Low32(parser.GetValue());
  } else if (key == "Border Fix") {
    BorderFix = Low32(parser.GetValue()) != 0;
  } else if (key == "Display Quality") {
    SetDisplayQuality(Low32(parser.GetValue()));
  }
  // "Current Game Type" and unknown keys are skipped.
}

// A size the game can be played at: the board and the side bar fit in the
// screen, the cells are no smaller than the table's smallest (the side bar's
// icons need that height), and nothing exceeds what the desktop can show.
bool ResolutionUsable(const Resolution& r) {
  const Resolution& largest = RESOLUTIONS[0];
  const Resolution& smallest = RESOLUTIONS[RESOLUTION_ROWS - 1];
  if (r.BlockSize < smallest.BlockSize || r.BlockSize > largest.BlockSize * 16) return false;
  if (r.Width < BOARD_COLUMNS * r.BlockSize + SIDE_BAR_WIDTH || r.Height < BOARD_ROWS * r.BlockSize) return false;
  const int maxWidth = std::max(largest.Width, DesktopWidth);
  const int maxHeight = std::max(largest.Height, DesktopHeight);
  const int maxBlock = std::max(largest.BlockSize, std::min((DesktopWidth - SIDE_BAR_WIDTH) / BOARD_COLUMNS,
                                                            DesktopHeight / BOARD_ROWS));
  return r.Width >= MIN_SCREEN_WIDTH && r.Width <= maxWidth && r.Height >= MIN_SCREEN_HEIGHT &&
         r.Height <= maxHeight && r.BlockSize > 0 && r.BlockSize % 2 == 0 && r.BlockSize <= maxBlock;
}

// Values a hand-edited or damaged profile may hold that would break the
// game fall back to their defaults.
void RepairSettings() {
  if (!ResolutionUsable(Wanted)) {
    Wanted = DEFAULT_RESOLUTION;
    if (DesktopWidth > 0 && DesktopHeight > 0) FitResolutionToDesktop();
    ScreenWidth = Wanted.Width;
    ScreenHeight = Wanted.Height;
    BlockSize = Wanted.BlockSize;
  }
  if (ScreenMode < 0 || ScreenMode > 2) ScreenMode = 0;
  if (DisplayQuality < 0 || DisplayQuality > 2) SetDisplayQuality(0);
  if (TotalPlayTime < 0 || TotalPlayTime > MAX_TOTAL_TIME) TotalPlayTime = 0;
  if (LevelTimer < 0 || LevelTimer > LEVEL_TIMER_CAP) LevelTimer = 0;
  if (CurrentLevel < -1) CurrentLevel = -1;
  // A language file that is gone brings the language screen back.
  if (!LanguageFile.empty() && FileLength(LanguageFile) < 0) LanguageFile.clear();
}

}  // namespace

std::string TotalTimeComment(int64_t milliseconds) {
  return Number64(milliseconds / MS_PER_DAY) + " days, " + Number64(milliseconds / MS_PER_HOUR % 24) +
         " hours and " + Number64(milliseconds / MS_PER_MINUTE % 60) + " minutes.";
}

uint64_t PackLevelInfo(int level, int64_t timer) {
  const uint64_t t = static_cast<uint64_t>(timer);
  const uint64_t n = static_cast<uint64_t>(level + 1) & 8191;
  return (t & ~uint64_t{255}) * 8192 + (t & 255) + n * 256;
}

void UnpackLevelInfo(uint64_t packed, int& level, int64_t& timer) {
  level = static_cast<int>((packed >> 8) & 8191) - 1;
  timer = static_cast<int64_t>((packed >> 21) * 256 + (packed & 255));
}

void SaveProfile(const std::string& path) {
  if (!keptFile.MayWrite(path)) return;
  // The file is written beside the old one and renamed over it, so a failed
  // save keeps the previous profile whole.
  Stream* out = OpenWrite(path);
  if (out != nullptr) {
    WriteText(out, ProfileText());
    if (CloseFile(out)) return;
  }
  ShowMessage("Error writing profile: " + path);
}

void LoadProfile(const std::string& path) {
  // The reader refuses a file larger than any profile before reading it.
  const int encoding = TextFileReader::EncodingDetector(path);
  std::unique_ptr<TextStream> text = TextFileReader::CreateStream(path, 0, encoding);
  keptFile.Loaded(path, text != nullptr);
  if (!text) return;
  bool reportedMissingEquals = false;
  while (!text->Eof()) {
    std::string line = text->ReadLine();
    if (encoding == ENCODING_LATIN1) line = LatinOneBytes(line);
    T_STRING_PARSER parser = T_STRING_PARSER::InitString(line);
    parser.StripComments();
    if (parser.IsEmpty()) continue;
    const std::string key = parser.GetString();
    if (key.empty()) continue;
    if (parser.GetCharacter() != "=") {
      // One message per file: a damaged profile must not bury the player
      // under message boxes.
      if (!reportedMissingEquals) ShowMessage("Missing '=' in user profile !");
      reportedMissingEquals = true;
      continue;
    }
    ReadEntry(key, parser);
  }
  text->Close();
  RepairSettings();
}

void SetDisplayQuality(int quality) {
  DisplayQuality = quality;
  if (quality < 0 || quality > 2) return;
  const bool detailed = quality != 1;
  ShadowsOn = detailed;
  ParticlesOn = detailed;
  BackgroundImagesOn = true;
  DetailedThumbnailsOn = detailed;
}

void CheckSavedGame() {
  // Only the first letter of the version tag tells the generation.
  if (StoredVersionTag.empty() || StoredVersionTag[0] != VERSION_TAG[0]) {
    DeleteFileAt(UndoPath);
    CurrentLevel = -1;
  }
  // A level the bank does not hold cannot be resumed, restarted or recorded.
  if (CurrentLevel < -1 || CurrentLevel >= LevelCount) CurrentLevel = -1;
}
