// A fixture that runs the whole game headless: a fresh user data folder, a
// 1920 x 1080 desktop, a clock set by hand and recorded message boxes.
// Only test programs that link the game include it.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/main_loop.h"
#include "app/settings.h"
#include "media/media.h"
#include "media/media_test.h"

class HeadlessGameTest : public ::testing::Test {
 protected:
  std::filesystem::path Home;  // stands for the platform's per-user data folder
  int Clock = 100000;

  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    Home = std::filesystem::path(std::getenv("PLIMO_BINARY_DIR")) / "test-tmp" /
           (std::string(info->test_suite_name()) + "." + info->name());
    std::filesystem::remove_all(Home);
    std::filesystem::create_directories(Home);
    media_test::SetUserAppDataFolder(Home.string());
    media_test::SetDesktopSize(1920, 1080);
    media_test::SetClock(Clock);
    media_test::RecordMessages(true);
    media_test::RecordedMessages().clear();
    ChooseEnglish();
  }
  void TearDown() override {
    media_test::RecordMessages(false);
    media_test::SetUserAppDataFolder("");
    media_test::SetDesktopSize(0, 0);
    std::filesystem::remove_all(Home);
  }
  // A player who chose English before: the start opens the main menu. The
  // path is that of the copy the start-up writes into the user data folder.
  void ChooseEnglish() { LanguageFile = (Home / "pLiMo" / "pLiMo_text_EN.txt").string(); }
  // A player who never chose a language: the start opens the flag screen.
  void FreshHome() { LanguageFile.clear(); }
  // The program's start-up, with no input left over from an earlier run.
  void Start() {
    media_test::SetClock(Clock);
    ASSERT_TRUE(StartUp());
    media_test::ResetInput();
  }
  // Runs frames `step` ms apart; false as soon as the frame loop would end.
  bool Frames(int count, int step = 16) {
    for (int i = 0; i < count; i++) {
      Clock += step;
      media_test::SetClock(Clock);
      if (!RunFrame()) return false;
    }
    return true;
  }
  // A key pressed and released, then one frame.
  bool PressKey(int key) {
    media_test::InjectKeyDown(key);
    media_test::InjectKeyUp(key);
    return Frames(1);
  }
};
