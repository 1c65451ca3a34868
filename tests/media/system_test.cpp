// Display changes, frame pacing, message boxes, web pages and the folders
// the game is told about.
#include <gtest/gtest.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

#include "media/media.h"
#include "media/media_test.h"
#include "tests/support/test_support.h"

namespace {

TEST(DisplayChanges, ImagesSurviveAndTheNewSizeIsUsed) {
  ASSERT_TRUE(test_support::OpenTestDisplay(100, 80));
  Image* capture = CreateCaptureImage(4, 4);
  ASSERT_NE(capture, nullptr);
  SetBlendMode(BLEND_SOLID);
  SetDrawColour(255, 0, 255);
  FillRect(0, 0, 4, 4);
  CaptureScreen(capture, 0, 0);

  ASSERT_TRUE(OpenDisplay(300, 200, false));
  EXPECT_EQ(media_test::ReadPixel(0, 0), 0x000000FFu);  // a fresh, black display
  SetBlendMode(BLEND_SOLID);
  DrawSprite(capture, 250, 150, 0);
  EXPECT_EQ(media_test::ReadPixel(251, 151), 0xFF00FFFFu);
  EXPECT_EQ(media_test::ReadPixel(299, 199), 0x000000FFu);
  EXPECT_EQ(media_test::ReadPixel(300, 199), 0u);  // outside the display

  media_test::SetDesktopSize(320, 240);
  int w, h;
  DesktopSize(w, h);
  EXPECT_EQ(w, 320);
  EXPECT_EQ(h, 240);
  ASSERT_TRUE(OpenDisplay(w, h, true));
  SetBlendMode(BLEND_SOLID);
  DrawSprite(capture, 316, 236, 0);
  EXPECT_EQ(media_test::ReadPixel(319, 239), 0xFF00FFFFu);
  media_test::SetDesktopSize(0, 0);
  FreeImage(capture);
  EXPECT_FALSE(OpenDisplay(0, 10, false));
  ASSERT_TRUE(test_support::OpenTestDisplay());
}

TEST(DisplayChanges, FramesArePacedAtTheRefreshRate) {
  ASSERT_TRUE(test_support::OpenTestDisplay());
  PresentFrame();
  const auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 12; i++) PresentFrame();
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  // Twelve frames at no more than 60 Hz (a display may be faster, never
  // faster than 240 Hz) take a while; a spinning loop would take ~0 ms.
  EXPECT_GE(elapsed.count(), 12 * 1000 / 240);
}

TEST(Messages, RecordedWhileRecording) {
  media_test::RecordMessages(true);
  media_test::RecordedMessages().clear();
  media_test::RecordedWebPages().clear();
  ShowMessage("Error writing file: /x");
  OpenWebPage("https://example.org/shop");
  ASSERT_EQ(media_test::RecordedMessages().size(), 1u);
  EXPECT_EQ(media_test::RecordedMessages()[0], "Error writing file: /x");
  ASSERT_EQ(media_test::RecordedWebPages().size(), 1u);
  EXPECT_EQ(media_test::RecordedWebPages()[0], "https://example.org/shop");
  media_test::RecordMessages(false);
}

class EnvironmentVariable {
 public:
  EnvironmentVariable(const char* name, const char* value) : name_(name) {
    const char* old = std::getenv(name);
    had_ = old != nullptr;
    if (had_) old_ = old;
    if (value) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~EnvironmentVariable() {
    if (had_) {
      setenv(name_, old_.c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  bool had_ = false;
  std::string old_;
};

bool IsFolder(const std::string& path) {
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

TEST(Folders, UserAppDataFolderFollowsXdgAndCreatesMissingParents) {
  test_support::TempDir dir;
  {
    EnvironmentVariable xdg("XDG_DATA_HOME", (dir.Path() + "/xdg/share").c_str());
    EXPECT_EQ(UserAppDataFolder(), dir.Path() + "/xdg/share");
    EXPECT_TRUE(IsFolder(dir.Path() + "/xdg/share"));
  }
  {
    EnvironmentVariable xdg("XDG_DATA_HOME", "");
    EnvironmentVariable home("HOME", (dir.Path() + "/home").c_str());
    EXPECT_EQ(UserAppDataFolder(), dir.Path() + "/home/.local/share");
    EXPECT_TRUE(IsFolder(dir.Path() + "/home/.local/share"));
  }
  media_test::SetUserAppDataFolder(dir.Path() + "/override");
  EXPECT_EQ(UserAppDataFolder(), dir.Path() + "/override");
  media_test::SetUserAppDataFolder("");
}

TEST(Folders, WithoutHomeTheAccountsOwnHomeIsUsedNeverASharedFolder) {
  const passwd* account = getpwuid(getuid());
  ASSERT_NE(account, nullptr);
  const std::string expected = std::string(account->pw_dir) + "/.local/share";
  EnvironmentVariable xdg("XDG_DATA_HOME", nullptr);
  {
    EnvironmentVariable home("HOME", nullptr);
    EXPECT_EQ(UserAppDataFolder(), expected);
  }
  {
    EnvironmentVariable home("HOME", "relative/home");
    EXPECT_EQ(UserAppDataFolder(), expected);
  }
}

// Runs MediaInit in a child process (the platform of this one stays as it
// is) and ends it with status 0 when the start was refused.
#define EXPECT_START_REFUSED(setup, message)                                             \
  do {                                                                                   \
    GTEST_FLAG_SET(death_test_style, "threadsafe");                                      \
    EXPECT_EXIT(                                                                         \
        {                                                                                \
          MediaQuit();                                                                   \
          setup;                                                                         \
          std::exit(MediaInit() ? 1 : 0);                                                \
        },                                                                               \
        ::testing::ExitedWithCode(0), message);                                          \
  } while (0)

TEST(NoDisplay, VideoDriversThatShowNothingAndEmptyDesktopsRefuseToStart) {
  EXPECT_START_REFUSED(media_test::AllowHeadlessVideo(false), "pLiMo cannot start: no display was found");
  EXPECT_START_REFUSED(media_test::ReportEmptyDesktop(true), "pLiMo cannot start: the desktop has no size");
  // Allowed, the same driver starts.
  MediaQuit();
  EXPECT_TRUE(MediaInit());
  ASSERT_TRUE(test_support::OpenTestDisplay());
}

TEST(Folders, ProgramFileIsThisProgram) {
  const std::string path = ProgramFilePath();
  ASSERT_FALSE(path.empty());
  EXPECT_EQ(path.front(), '/');
  EXPECT_GT(FileLength(path), 0);
  EXPECT_GT(FileModifiedTime(path), 0);
  media_test::SetProgramFilePath("/somewhere/plimo");
  EXPECT_EQ(ProgramFilePath(), "/somewhere/plimo");
  media_test::SetProgramFilePath("");
  EXPECT_EQ(ProgramFilePath(), path);
}

}  // namespace
