// The embedded archive and the copies of its files in the user data folder.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/archive.h"
#include "app/archive_members.h"
#include "app/paths.h"
#include "media/media.h"
#include "media/media_test.h"

namespace fs = std::filesystem;

namespace {

std::string ReadText(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

void WriteText(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

void SetModifiedTime(const fs::path& path, time_t seconds) {
  utimbuf times{seconds, seconds};
  ASSERT_EQ(utime(path.c_str(), &times), 0);
}

TEST(ArchiveTable, ListsTheHundredAndOneMembersInOrderAndRegistersThePresentOnes) {
  std::ifstream list(std::string(std::getenv("PLIMO_SOURCE_DIR")) + "/cmake/archive_members.txt");
  std::string name;
  int i = 0;
  while (std::getline(list, name)) {
    ASSERT_LT(i, ARCHIVE_MEMBER_COUNT);
    EXPECT_EQ(name, ARCHIVE_MEMBERS[i].Name);
    i++;
  }
  EXPECT_EQ(i, 101);
  EXPECT_EQ(ARCHIVE_MEMBER_COUNT, 101);

  RegisterArchive();
  for (int m = 0; m < ARCHIVE_MEMBER_COUNT; m++) {
    size_t length = 0;
    const uint8_t* bytes = EmbeddedData(ARCHIVE_MEMBERS[m].Name, &length);
    if (ARCHIVE_MEMBERS[m].Start) {
      EXPECT_EQ(bytes, ARCHIVE_MEMBERS[m].Start) << ARCHIVE_MEMBERS[m].Name;
      EXPECT_EQ(length, static_cast<size_t>(ARCHIVE_MEMBERS[m].End - ARCHIVE_MEMBERS[m].Start));
    } else {
      EXPECT_EQ(bytes, nullptr) << ARCHIVE_MEMBERS[m].Name;
    }
  }
  // Names are exact: no case folding, no missing prefix.
  EXPECT_EQ(EmbeddedData("data/lite2.lvl", nullptr), nullptr);
  EXPECT_EQ(EmbeddedData("lite2.lvl", nullptr), nullptr);
}

class ExtractTest : public ::testing::Test {
 protected:
  fs::path Root;
  time_t ProgramTime = 1700000000;

  void SetUp() override {
    Root = fs::path(std::getenv("PLIMO_BINARY_DIR")) / "test-tmp" /
           ::testing::UnitTest::GetInstance()->current_test_info()->name();
    fs::remove_all(Root);
    fs::create_directories(Root / "pLiMo");
    UserDataFolder = (Root / "pLiMo").string();
    WriteText(Root / "program", "binary");
    SetModifiedTime(Root / "program", ProgramTime);
    media_test::SetProgramFilePath((Root / "program").string());
    media_test::RecordMessages(true);
    media_test::RecordedMessages().clear();
    static const uint8_t kBytes[] = {'b', 'o', 'n', 'j', 'o', 'u', 'r', '\r', '\n', 0, 255};
    RegisterEmbeddedFile("Data/extract_test.txt", kBytes, sizeof kBytes);
  }
  void TearDown() override {
    media_test::SetProgramFilePath("");
    media_test::RecordMessages(false);
    fs::remove_all(Root);
  }
  fs::path Copy() const { return Root / "pLiMo" / "extract_test.txt"; }
};

TEST_F(ExtractTest, CopiesOnceAndKeepsCopiesNewerThanTheProgram) {
  ASSERT_TRUE(ExtractEmbeddedFile("extract_test.txt"));
  EXPECT_EQ(ReadText(Copy()), std::string("bonjour\r\n\0\xff", 11));

  // A second start with the same program leaves the copy alone, even when
  // its content changed since (the player edited it).
  WriteText(Copy(), "edited by the player");
  SetModifiedTime(Copy(), ProgramTime + 60);
  EXPECT_TRUE(ExtractEmbeddedFile("extract_test.txt"));
  EXPECT_EQ(ReadText(Copy()), "edited by the player");

  // A newer program refreshes the copy.
  SetModifiedTime(Root / "program", ProgramTime + 120);
  EXPECT_TRUE(ExtractEmbeddedFile("extract_test.txt"));
  EXPECT_EQ(ReadText(Copy()).size(), 11u);
  EXPECT_TRUE(media_test::RecordedMessages().empty());
}

TEST_F(ExtractTest, AMissingCopyIsWrittenEvenWhenTheProgramTimeIsUnknown) {
  // The program's own file cannot be read: its time counts as 0.
  media_test::SetProgramFilePath((Root / "no-such-program").string());
  ASSERT_TRUE(ExtractEmbeddedFile("extract_test.txt"));
  EXPECT_EQ(ReadText(Copy()), std::string("bonjour\r\n\0\xff", 11));
  // An existing copy is then never replaced: the player may have edited it.
  WriteText(Copy(), "edited");
  SetModifiedTime(Copy(), 1);
  EXPECT_TRUE(ExtractEmbeddedFile("extract_test.txt"));
  EXPECT_EQ(ReadText(Copy()), "edited");
  EXPECT_TRUE(media_test::RecordedMessages().empty());
}

TEST_F(ExtractTest, UnknownMembersAndUnwritableCopiesFail) {
  EXPECT_FALSE(ExtractEmbeddedFile("no_such_member.txt"));
  EXPECT_FALSE(fs::exists(Root / "pLiMo" / "no_such_member.txt"));
  EXPECT_TRUE(media_test::RecordedMessages().empty());

  // A folder standing where the copy should go cannot be replaced.
  fs::create_directories(Copy());
  EXPECT_FALSE(ExtractEmbeddedFile("extract_test.txt"));
  ASSERT_EQ(media_test::RecordedMessages().size(), 1u);
  EXPECT_EQ(media_test::RecordedMessages()[0], "Error writing file: " + Copy().string());
  EXPECT_TRUE(fs::is_directory(Copy()));
}

}  // namespace
