// A folder of language files for the loader and the scanner, with the
// game's large font loaded for the name check.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/archive.h"
#include "app/display.h"
#include "localisation/languages.h"
#include "media/media.h"
#include "media/media_test.h"
#include "tests/support/test_support.h"

class LanguageTest : public ::testing::Test {
 protected:
  test_support::TempDir Dir;

  static void SetUpTestSuite() {
    ASSERT_TRUE(test_support::OpenTestDisplay());
    RegisterArchive();
  }
  void SetUp() override {
    ClearLanguages();
    LargeFont = LoadTrueTypeFont(std::string(EMBEDDED_PREFIX) + "Data/a2.ttf", 60);
    ASSERT_NE(LargeFont, nullptr);
    media_test::RecordMessages(true);
    media_test::RecordedMessages().clear();
  }
  void TearDown() override {
    ClearLanguages();
    SelectFont(nullptr);
    FreeFont(LargeFont);
    LargeFont = nullptr;
    media_test::RecordMessages(false);
  }
  // Writes a file into the folder and returns its path.
  std::string Write(const std::string& name, const std::string& bytes) {
    const std::string path = Dir.File(name);
    EXPECT_TRUE(test_support::WriteWholeFile(path, bytes));
    return path;
  }
  // Copies a shipped file of Data/ into the folder.
  std::string CopyShipped(const std::string& name, const std::string& as = "") {
    const std::string bytes = test_support::ReadSourceFile("Data/" + name);
    EXPECT_FALSE(bytes.empty()) << name;
    return Write(as.empty() ? name : as, bytes);
  }
};
