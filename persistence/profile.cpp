#include "persistence/profile.h"

#include <string>

#include "app/display.h"
#include "app/frame_input.h"
#include "app/music.h"
#include "app/paths.h"
#include "app/settings.h"
#include "board/tile_styles.h"
#include "levels/level_bank.h"
#include "levels/level_lifecycle.h"
#include "media/media.h"
#include "play/undo.h"

int64_t TotalPlayTime = 0;
int64_t RunStartTime = 0;

namespace {

constexpr int64_t MS_PER_MINUTE = 60000;
constexpr int64_t MS_PER_HOUR = 3600000;
constexpr int64_t MS_PER_DAY = 86400000;

// 32-bit settings are written as their unsigned bit pattern, which reads
// back as the same value.
std::string Number(int value) { return std::to_string(static_cast<uint32_t>(value)); }
std::string Number64(int64_t value) { return std::to_string(static_cast<uint64_t>(value)); }

std::string Quoted(const std::string& text) { return "\"" + text + "\""; }

// The total play time including this run, which is not added to the stored
// total: two saves in one run must not count the same time twice.
int64_t TotalTimeNow() {
  const int64_t elapsed = ReadClock() - RunStartTime;
  return TotalPlayTime + (elapsed > 0 ? elapsed : 0);
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
      "\"Language\" = " + Quoted(LanguageFile),
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
  // The file is written beside the old one and renamed over it, so a failed
  // save keeps the previous profile whole.
  Stream* out = OpenWrite(path);
  if (out != nullptr) {
    WriteText(out, ProfileText());
    if (CloseFile(out)) return;
  }
  ShowMessage("Error writing profile: " + path);
}

void LoadProfile(const std::string&) {}

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
