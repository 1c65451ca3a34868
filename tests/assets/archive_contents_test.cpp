// The Data folder holds exactly the archive members, and the program carries
// the same bytes.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "app/archive.h"
#include "app/archive_members.h"
#include "media/media.h"
#include "tests/assets/asset_files.h"

TEST(ArchiveContents, ListNamesTheHundredAndOneMembersOnce) {
  const std::vector<std::string> names = ArchiveMemberNames();
  ASSERT_EQ(names.size(), 101u);
  EXPECT_EQ(std::set<std::string>(names.begin(), names.end()).size(), names.size()) << "a name is listed twice";
  for (const std::string& name : names) EXPECT_EQ(name.rfind("Data/", 0), 0u) << name;
  EXPECT_EQ(names.front(), "Data/pLiMo_screen_bumper_lite.png");
  EXPECT_EQ(names[1], "Data/a2.ttf");
  EXPECT_EQ(names[2], "Data/lite2.lvl");
  EXPECT_EQ(names.back(), "Data/TabFrame3.bin");
}

TEST(ArchiveContents, DataFolderHoldsEveryMemberAndNothingElse) {
  const std::vector<std::string> members = ArchiveMemberNames();
  const std::vector<std::string> entries = DataFolderEntries();
  const std::set<std::string> listed(members.begin(), members.end());
  const std::set<std::string> present(entries.begin(), entries.end());
  for (const std::string& name : listed) EXPECT_TRUE(present.count(name)) << name << " is missing from Data/";
  for (const std::string& name : present) EXPECT_TRUE(listed.count(name)) << name << " is not an archive member";
}

TEST(ArchiveContents, DataFolderStaysUnderTwelveMegabytes) {
  uintmax_t total = 0;
  for (const std::string& name : ArchiveMemberNames()) total += MemberFile(name).size();
  EXPECT_LT(total, 12u * 1024 * 1024);
  EXPECT_GT(total, 0u);
}

TEST(ArchiveContents, ProgramCarriesTheSameBytesAsDataFolder) {
  RegisterArchive();
  const std::vector<std::string> names = ArchiveMemberNames();
  ASSERT_EQ(ARCHIVE_MEMBER_COUNT, static_cast<int>(names.size()));
  for (int i = 0; i < ARCHIVE_MEMBER_COUNT; i++) {
    EXPECT_EQ(ARCHIVE_MEMBERS[i].Name, names[i]) << "member " << i << " out of order";
    const std::string file = MemberFile(names[i]);
    size_t length = 0;
    const uint8_t* bytes = EmbeddedData(names[i], &length);
    ASSERT_NE(bytes, nullptr) << names[i] << " is not embedded";
    ASSERT_EQ(length, file.size()) << names[i];
    EXPECT_TRUE(std::equal(file.begin(), file.end(), reinterpret_cast<const char*>(bytes))) << names[i];
  }
  size_t length = 0;
  EXPECT_EQ(EmbeddedData("Data/a2.TTF", &length), nullptr) << "names compare with their letter case";
}
