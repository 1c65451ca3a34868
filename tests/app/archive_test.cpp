// The embedded archive and the copies of its files in the user data folder.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <utime.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

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

class CopiesTest : public ::testing::Test {
 protected:
  fs::path Root;
  static constexpr time_t FIXED_DATE = 315532800;
  static inline const std::string V1 = "version 1\r\n";
  static inline const std::string V2 = std::string("version 2\r\n\0\xff", 13);

  void SetUp() override {
    Root = fs::path(std::getenv("PLIMO_BINARY_DIR")) / "test-tmp" /
           ::testing::UnitTest::GetInstance()->current_test_info()->name();
    fs::remove_all(Root);
    fs::create_directories(Root / "pLiMo");
    UserDataFolder = (Root / "pLiMo").string();
    media_test::RecordMessages(true);
    media_test::RecordedMessages().clear();
    // Every installed file carries one fixed date, as in reproducible builds.
    WriteText(Root / "program", "binary");
    SetModifiedTime(Root / "program", FIXED_DATE);
    media_test::SetProgramFilePath((Root / "program").string());
  }
  void TearDown() override {
    media_test::SetProgramFilePath("");
    media_test::RecordMessages(false);
    fs::remove_all(Root);
  }
  fs::path Copy(const std::string& name) const { return Root / "pLiMo" / name; }
};

// One start of version 1, the player's doing, then one start of version 2:
// what the copy holds afterwards. File dates play no part.
TEST_F(CopiesTest, RefreshByContentKeepingWhatThePlayerEdited) {
  struct Case {
    const char* what;
    bool firstStart;          // version 1 ran before (it wrote the copy and the record)
    const char* playerWrites;  // nullptr: the player leaves the copy alone
    bool forgetRecord;        // the record is lost (or an older game kept none)
    std::string expected;
  };
  const Case cases[] = {
      {"missing copy", false, nullptr, false, V2},
      {"untouched copy of an older version", true, nullptr, false, V2},
      {"edited copy", true, "my own words", false, "my own words"},
      {"copy without a record", true, nullptr, true, V1},
      {"edited copy without a record", true, "mine", true, "mine"},
      {"empty copy left by a crash", true, "", false, V2},
      {"copy deleted by the player", true, "-", false, V2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove_all(Root / "pLiMo");
    fs::create_directories(Root / "pLiMo");
    const fs::path copy = Copy("language.txt");
    if (c.firstStart) WriteText(copy, V1);
    if (c.firstStart && !c.forgetRecord) {
      std::ostringstream record;
      uint64_t hash = 14695981039346656037ull;  // FNV-1a 64 of V1
      for (unsigned char ch : V1) hash = (hash ^ ch) * 1099511628211ull;
      char digest[17];
      std::snprintf(digest, sizeof digest, "%016llx", static_cast<unsigned long long>(hash));
      WriteText(Root / "pLiMo" / COPIES_RECORD_FILE, std::string(digest) + " language.txt\n");
    }
    if (c.playerWrites && std::string(c.playerWrites) == "-") fs::remove(copy);
    else if (c.playerWrites) WriteText(copy, c.playerWrites);
    if (fs::exists(copy)) SetModifiedTime(copy, FIXED_DATE);

    RegisterEmbeddedFile("Data/language.txt", reinterpret_cast<const uint8_t*>(V2.data()), V2.size());
    std::vector<std::string> messages;
    EXPECT_TRUE(RefreshUserCopies({"language.txt"}, messages));
    EXPECT_EQ(ReadText(copy), c.expected);
    // A second start changes nothing more.
    EXPECT_TRUE(RefreshUserCopies({"language.txt"}, messages));
    EXPECT_EQ(ReadText(copy), c.expected);
    EXPECT_TRUE(messages.empty());
  }
}

TEST_F(CopiesTest, UnknownMembersAndUnwritableCopiesFail) {
  static const uint8_t kBytes[] = {'b', 'o', 'n', 'j', 'o', 'u', 'r'};
  RegisterEmbeddedFile("Data/copies_test.txt", kBytes, sizeof kBytes);
  const std::string name = "copies_test.txt";
  std::vector<std::string> messages;
  EXPECT_FALSE(RefreshUserCopies({"no_such_member.txt"}, messages));
  EXPECT_FALSE(fs::exists(Copy("no_such_member.txt")));
  EXPECT_TRUE(messages.empty());

  // A folder standing where the copy should go cannot be replaced.
  fs::create_directories(Copy(name));
  EXPECT_FALSE(RefreshUserCopies({name}, messages));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "Error writing file: " + Copy(name).string());
  EXPECT_TRUE(fs::is_directory(Copy(name)));
}

}  // namespace
