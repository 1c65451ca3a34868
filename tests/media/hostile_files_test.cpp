// Files as a hostile player or a failing machine leaves them: pipes, links
// planted beside the game's files, two copies of the game writing at once,
// temporary files left by a crash, files past 2 GiB, a full disk in the
// middle of a write, pictures whose headers ask for gigabytes.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <future>
#include <set>

#include "media/media.h"
#include "tests/support/test_support.h"

using test_support::ReadWholeFile;
using test_support::TempDir;
using test_support::WriteWholeFile;
namespace fs = std::filesystem;

namespace {

std::set<std::string> Entries(const std::string& folder) {
  std::set<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.insert(entry.path().filename().string());
  return names;
}

TEST(HostileFiles, APipeIsNeverOpenedForReading) {
  TempDir dir;
  const std::string pipe = dir.File("pLiMo_Undo.bin");
  ASSERT_EQ(mkfifo(pipe.c_str(), 0644), 0);
  // Opening a pipe for reading waits for a writer: run it aside so that a
  // fault fails the test instead of hanging it.
  auto opened = std::async(std::launch::async, [&] {
    Stream* s = OpenRead(pipe);
    Stream* u = OpenUpdate(pipe);
    const bool none = s == nullptr && u == nullptr && LoadBuffer(pipe) == nullptr;
    CloseFile(s);
    CloseFile(u);
    return none;
  });
  if (opened.wait_for(std::chrono::seconds(5)) != std::future_status::ready) {
    // Let the stuck open go on so the test can end.
    int fd = open(pipe.c_str(), O_WRONLY);
    close(fd);
    FAIL() << "opening a pipe blocked";
  }
  EXPECT_TRUE(opened.get());
}

TEST(HostileFiles, ALinkPlantedBesideTheTargetIsNeitherFollowedNorInTheWay) {
  TempDir dir;
  const std::string victim = dir.File("victim");
  const std::string target = dir.File("pLiMo_User_Profile.txt");
  ASSERT_TRUE(WriteWholeFile(victim, "untouched"));
  // The temporary names earlier versions used, and a guess at a new one.
  fs::create_symlink(victim, target + ".tmp~");
  fs::create_symlink(victim, target + ".tmp~" + std::to_string(getpid()) + ".0");
  auto buffer = CreateBuffer(3);
  ASSERT_TRUE(SaveBuffer(*buffer, target));
  Stream* s = OpenWrite(target);
  ASSERT_NE(s, nullptr);
  WriteText(s, "profile");
  ASSERT_TRUE(CloseFile(s));
  EXPECT_EQ(ReadWholeFile(victim), "untouched");
  EXPECT_EQ(ReadWholeFile(target), "profile");
  EXPECT_FALSE(fs::is_symlink(target));
}

TEST(HostileFiles, ALinkInPlaceOfAPlayerFileIsRefusedAndReportedOnce) {
  TempDir dir;
  TempDir elsewhere;
  const std::string victim = elsewhere.File("victim");
  ASSERT_TRUE(WriteWholeFile(victim, std::string(1000, 'v')));
  const std::string link = dir.File("pLiMo_Undo.bin");
  fs::create_symlink(victim, link);
  std::vector<std::string> refused;
  SetPlayerFolder(dir.Path(), [&](const std::string& path) { refused.push_back(path); });
  for (int i = 0; i < 2; i++) {
    EXPECT_EQ(OpenUpdate(link), nullptr);
    EXPECT_EQ(OpenRead(link), nullptr);
    EXPECT_EQ(LoadBuffer(link), nullptr);
  }
  EXPECT_EQ(refused, std::vector<std::string>{link});
  EXPECT_EQ(ReadWholeFile(victim), std::string(1000, 'v'));
  // Files outside the player's folder are reached through links as before.
  const std::string other = elsewhere.File("link");
  fs::create_symlink(victim, other);
  Stream* s = OpenRead(other);
  EXPECT_NE(s, nullptr);
  CloseFile(s);
  SetPlayerFolder("", nullptr);
}

TEST(HostileFiles, TwoWritersOfOneFileDoNotShareATemporaryFile) {
  TempDir dir;
  const std::string target = dir.File("pLiMo_Best_Scores.bin");
  Stream* first = OpenWrite(target);
  Stream* second = OpenWrite(target);
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  WriteText(first, "first copy");
  WriteText(second, "second");
  EXPECT_TRUE(CloseFile(second));
  EXPECT_TRUE(CloseFile(first));
  EXPECT_EQ(ReadWholeFile(target), "first copy");
  EXPECT_EQ(Entries(dir.Path()), std::set<std::string>{"pLiMo_Best_Scores.bin"});
}

TEST(HostileFiles, TemporaryFilesOfEndedCopiesAreRemovedAndNothingElse) {
  TempDir dir;
  const std::string own = "a.txt.tmp~" + std::to_string(getpid()) + ".7";
  for (const std::string name : {"a.txt.tmp~", "b.bin.tmp~999999999.3", own.c_str(), "c.tmp~x", "notes.txt",
                                 "d.txt.tmp~12.", ".tmp~5.5"})
    ASSERT_TRUE(WriteWholeFile(dir.File(name), "x"));
  fs::create_directory(dir.File("e.tmp~999999999.1"));
  RemoveStaleTemporaryFiles(dir.Path());
  // The owner of 999999999 is not running; this process is (a copy of the
  // game writing right now).
  EXPECT_EQ(Entries(dir.Path()),
            (std::set<std::string>{own, "c.tmp~x", "notes.txt", "d.txt.tmp~12.", ".tmp~5.5", "e.tmp~999999999.1"}));
}

TEST(HostileFiles, SizesAndPositionsPastTwoGigabytes) {
  TempDir dir;
  const std::string path = dir.File("big.bin");
  const int64_t size = (int64_t{3} << 30) + 5;
  {
    int fd = open(path.c_str(), O_WRONLY | O_CREAT, 0644);
    ASSERT_GE(fd, 0);
    ASSERT_EQ(ftruncate(fd, static_cast<off_t>(size)), 0);
    ASSERT_EQ(pwrite(fd, "Z", 1, static_cast<off_t>(size - 1)), 1);
    close(fd);
  }
  EXPECT_EQ(FileLength(path), size);
  Stream* s = OpenUpdate(path);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(StreamLength(s), size);
  SeekTo(s, size - 1);
  EXPECT_EQ(ReadUInt8(s), 'Z');
  EXPECT_TRUE(AtEnd(s));
  const uint8_t tail[3] = {1, 2, 3};
  EXPECT_TRUE(WriteBytes(s, tail, 3));
  EXPECT_EQ(StreamLength(s), size + 3);
  EXPECT_TRUE(TruncateStream(s, size - 1));
  EXPECT_TRUE(CloseFile(s));
  EXPECT_EQ(FileLength(path), size - 1);
  // Whole-file reads refuse what no file of the game can be.
  EXPECT_EQ(LoadBuffer(path), nullptr);
}

TEST(HostileFiles, AFullDiskInTheMiddleOfAWriteIsReportedAndCanBeCutBack) {
  TempDir dir;
  const std::string path = dir.File("undo.bin");
  ASSERT_TRUE(WriteWholeFile(path, std::string(4080, 'r')));
  struct rlimit saved;
  getrlimit(RLIMIT_FSIZE, &saved);
  auto oldHandler = signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = 4096;
  setrlimit(RLIMIT_FSIZE, &small);
  Stream* s = OpenUpdate(path);
  ASSERT_NE(s, nullptr);
  SeekTo(s, 4080);
  const std::vector<uint8_t> record(80, 'n');
  const bool written = WriteBytes(s, record.data(), record.size());
  const int64_t torn = StreamLength(s);
  const bool cut = TruncateStream(s, 4080);
  const bool closed = CloseFile(s);
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, oldHandler);
  EXPECT_FALSE(written);
  EXPECT_EQ(torn, 4096);  // 16 bytes of the record reached the file
  EXPECT_TRUE(cut);
  EXPECT_FALSE(closed);  // the stream failed
  EXPECT_EQ(ReadWholeFile(path), std::string(4080, 'r'));
}

uint32_t Crc32(const uint8_t* bytes, size_t length) {
  uint32_t crc = 0xFFFFFFFFu;
  for (size_t i = 0; i < length; i++) {
    crc ^= bytes[i];
    for (int k = 0; k < 8; k++) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

void PutBig32(std::string& s, size_t at, uint32_t v) {
  for (int i = 0; i < 4; i++) s[at + i] = static_cast<char>(v >> (24 - 8 * i));
}

// A shipped picture whose header now claims width x height.
std::string PngClaiming(uint32_t width, uint32_t height) {
  std::string png = test_support::ReadSourceFile("Data/pLiMo_fx_shadows.png");
  if (png.size() < 33) return "";
  PutBig32(png, 16, width);
  PutBig32(png, 20, height);
  PutBig32(png, 29, Crc32(reinterpret_cast<const uint8_t*>(png.data()) + 12, 17));
  return png;
}

std::string JpegClaiming(uint16_t width, uint16_t height) {
  std::string jpeg = test_support::ReadSourceFile("Data/pLiMo_screen_fond.jpg");
  for (size_t i = 2; i + 9 < jpeg.size(); i++) {
    if (static_cast<uint8_t>(jpeg[i]) == 0xFF && static_cast<uint8_t>(jpeg[i + 1]) == 0xC0) {
      jpeg[i + 5] = static_cast<char>(height >> 8);
      jpeg[i + 6] = static_cast<char>(height);
      jpeg[i + 7] = static_cast<char>(width >> 8);
      jpeg[i + 8] = static_cast<char>(width);
      return jpeg;
    }
  }
  return "";
}

TEST(HostilePictures, HeadersAskingForGigabytesFailThatPictureAlone) {
  ASSERT_TRUE(test_support::OpenTestDisplay(64, 64));
  TempDir dir;
  const std::string png = PngClaiming(65535, 65535);      // 16 GiB of pixels
  const std::string wide = PngClaiming(1000000, 1);       // wider than any texture
  const std::string jpeg = JpegClaiming(65500, 65500);    // 17 GiB of pixels
  ASSERT_FALSE(png.empty());
  ASSERT_FALSE(jpeg.empty());
  ASSERT_TRUE(WriteWholeFile(dir.File("big.png"), png));
  ASSERT_TRUE(WriteWholeFile(dir.File("wide.png"), wide));
  ASSERT_TRUE(WriteWholeFile(dir.File("big.jpg"), jpeg));
  EXPECT_EQ(LoadSprite(dir.File("big.png")), nullptr);
  EXPECT_EQ(LoadSprite(dir.File("wide.png")), nullptr);
  EXPECT_EQ(LoadSprite(dir.File("big.jpg")), nullptr);
  // A JPEG cut short before its image fails through the decoder's error
  // exit (a jump out of the library), with nothing left behind.
  ASSERT_TRUE(WriteWholeFile(dir.File("cut.jpg"), JpegClaiming(960, 768).substr(0, 100)));
  EXPECT_EQ(LoadSprite(dir.File("cut.jpg")), nullptr);
  // The same picture with its own header still loads.
  ASSERT_TRUE(WriteWholeFile(dir.File("ok.jpg"), JpegClaiming(960, 768)));
  Image* ok = LoadSprite(dir.File("ok.jpg"));
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ImageWidth(ok), 960);
  FreeImage(ok);
}

}  // namespace
