// Streams, buffers, atomic replacement of files, folders and the embedded
// archive.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include <algorithm>

#include "media/media.h"
#include "tests/support/test_support.h"

using test_support::ReadWholeFile;
using test_support::TempDir;
using test_support::WithFileSizeLimit;
using test_support::WriteWholeFile;

namespace {

const uint8_t kEmbedded[] = {'l', 'i', 'n', 'e', '1', 13, 10, 'x', 0, 'y'};

struct EmbeddedRegistration {
  EmbeddedRegistration() {
    RegisterEmbeddedFile("Data/test_member.bin", kEmbedded, sizeof kEmbedded);
    static const uint8_t other[] = {1, 2, 3};
    // A second registration of the same name changes nothing.
    RegisterEmbeddedFile("Data/test_member.bin", other, sizeof other);
  }
};
const EmbeddedRegistration registration;

TEST(Streams, WriteThenReadBytesAndLines) {
  TempDir dir;
  const std::string path = dir.File("a.txt");
  Stream* out = OpenWrite(path);
  ASSERT_NE(out, nullptr);
  WriteTextLine(out, "first");
  WriteText(out, "\xE9t\xE9");  // bytes go out unchanged
  WriteUInt8(out, 0x1FF);        // low 8 bits only
  ASSERT_TRUE(CloseFile(out));
  EXPECT_EQ(ReadWholeFile(path), std::string("first\r\n\xE9t\xE9\xFF"));

  Stream* in = OpenRead(path);
  ASSERT_NE(in, nullptr);
  EXPECT_EQ(StreamLength(in), 11);
  EXPECT_EQ(ReadTextLine(in), "first");  // CR dropped, LF consumed
  EXPECT_FALSE(AtEnd(in));
  EXPECT_EQ(ReadTextLine(in), "\xE9t\xE9\xFF");
  EXPECT_TRUE(AtEnd(in));
  EXPECT_EQ(ReadUInt8(in), -1);
  EXPECT_EQ(ReadTextLine(in), "");
  EXPECT_TRUE(CloseFile(in));
}

TEST(Streams, ZeroByteEndsALine) {
  TempDir dir;
  ASSERT_TRUE(WriteWholeFile(dir.File("z"), std::string("ab\0cd\r\nef", 9)));
  Stream* in = OpenRead(dir.File("z"));
  ASSERT_NE(in, nullptr);
  EXPECT_EQ(ReadTextLine(in), "ab");
  EXPECT_EQ(ReadTextLine(in), "cd");
  EXPECT_EQ(ReadTextLine(in), "ef");
  EXPECT_TRUE(AtEnd(in));
  CloseFile(in);
}

TEST(Streams, MissingFilesAndFolders) {
  TempDir dir;
  EXPECT_EQ(OpenRead(dir.File("none")), nullptr);
  EXPECT_EQ(OpenUpdate(dir.File("none")), nullptr);
  EXPECT_EQ(OpenRead(dir.Path()), nullptr);  // a folder is not a file
  EXPECT_EQ(OpenWrite(dir.File("no/such/folder/f")), nullptr);
  EXPECT_EQ(FileLength(dir.File("none")), -1);
  EXPECT_EQ(FileModifiedTime(dir.File("none")), 0);
  EXPECT_EQ(LoadBuffer(dir.File("none")), nullptr);
}

TEST(Streams, UpdateWritesInPlaceAndSeekingPastTheEndExtends) {
  TempDir dir;
  const std::string path = dir.File("u.bin");
  ASSERT_TRUE(WriteWholeFile(path, "abcdef"));
  Stream* s = OpenUpdate(path);
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(ReadUInt8(s), 'a');  // position 0, not emptied
  WriteUInt8(s, 'B');
  EXPECT_EQ(ReadUInt8(s), 'c');
  SeekTo(s, 8);
  WriteUInt8(s, 'Z');
  EXPECT_EQ(StreamLength(s), 9);
  SeekTo(s, 0);
  EXPECT_EQ(ReadUInt8(s), 'a');
  ASSERT_TRUE(CloseFile(s));
  EXPECT_EQ(ReadWholeFile(path), std::string("aBcdef\0\0Z", 9));
}

TEST(Streams, WriteStreamCanSeekBackAndReadWhatItWrote) {
  TempDir dir;
  Stream* s = OpenWrite(dir.File("w"));
  ASSERT_NE(s, nullptr);
  for (int i = 0; i < 5; i++) WriteUInt8(s, 'a' + i);
  SeekTo(s, 1);
  EXPECT_EQ(ReadUInt8(s), 'b');
  WriteUInt8(s, 'X');
  ASSERT_TRUE(CloseFile(s));
  EXPECT_EQ(ReadWholeFile(dir.File("w")), "abXde");
}

TEST(AtomicWrites, UnfinishedWriteKeepsThePreviousFile) {
  TempDir dir;
  const std::string path = dir.File("profile.txt");
  ASSERT_TRUE(WriteWholeFile(path, "old contents"));
  Stream* s = OpenWrite(path);
  ASSERT_NE(s, nullptr);
  WriteText(s, "new");
  // Not closed yet: the target still holds the old version.
  EXPECT_EQ(ReadWholeFile(path), "old contents");
  ASSERT_TRUE(CloseFile(s));
  EXPECT_EQ(ReadWholeFile(path), "new");
  // No temporary file is left behind.
  int entries = 0;
  FolderListing* listing = OpenFolderListing(dir.Path());
  ASSERT_NE(listing, nullptr);
  for (std::string name = NextFolderEntry(listing); !name.empty(); name = NextFolderEntry(listing)) entries++;
  CloseFolderListing(listing);
  EXPECT_EQ(entries, 3);  // ".", ".." and the file
}

TEST(AtomicWrites, FailedWriteReportsFailureAndKeepsThePreviousFile) {
  TempDir dir;
  const std::string path = dir.File("scores.bin");
  ASSERT_TRUE(WriteWholeFile(path, "keep me"));
  bool closed = true, saved = true;
  WithFileSizeLimit(64, [&] {
    Stream* s = OpenWrite(path);
    ASSERT_NE(s, nullptr);
    for (int i = 0; i < 10000; i++) WriteUInt8(s, 'n');
    closed = CloseFile(s);
    auto big = CreateBuffer(10000);
    saved = SaveBuffer(*big, path);
  });
  EXPECT_FALSE(closed);
  EXPECT_FALSE(saved);
  EXPECT_EQ(ReadWholeFile(path), "keep me");
  // The partial copies are removed: only the file itself is left.
  int entries = 0;
  FolderListing* listing = OpenFolderListing(dir.Path());
  ASSERT_NE(listing, nullptr);
  for (std::string name = NextFolderEntry(listing); !name.empty(); name = NextFolderEntry(listing)) entries++;
  CloseFolderListing(listing);
  EXPECT_EQ(entries, 3);
}

TEST(AtomicWrites, WritingToAReadOnlyStreamIsReportedOnClose) {
  TempDir dir;
  ASSERT_TRUE(WriteWholeFile(dir.File("r"), "keep me"));
  Stream* readOnly = OpenRead(dir.File("r"));
  ASSERT_NE(readOnly, nullptr);
  WriteUInt8(readOnly, 'x');
  EXPECT_FALSE(CloseFile(readOnly));
  EXPECT_EQ(ReadWholeFile(dir.File("r")), "keep me");
}

TEST(AtomicWrites, SaveBufferIntoAReadOnlyFolderFailsAndKeepsTheFile) {
  if (geteuid() == 0) GTEST_SKIP() << "root ignores folder permissions";
  TempDir dir;
  const std::string path = dir.File("undo.bin");
  ASSERT_TRUE(WriteWholeFile(path, "previous"));
  chmod(dir.Path().c_str(), 0555);
  auto buffer = CreateBuffer(4);
  EXPECT_FALSE(SaveBuffer(*buffer, path));
  EXPECT_EQ(OpenWrite(path), nullptr);
  chmod(dir.Path().c_str(), 0755);
  EXPECT_EQ(ReadWholeFile(path), "previous");
}

TEST(Buffers, LittleEndianAccessAndResizing) {
  auto buffer = CreateBuffer(8);
  ASSERT_NE(buffer, nullptr);
  EXPECT_EQ(BufferSize(*buffer), 8);
  for (int i = 0; i < 8; i++) EXPECT_EQ(PeekUInt8(*buffer, i), 0);
  PokeUInt16(*buffer, 0, 0xBEEF);
  PokeUInt32(*buffer, 2, 0x80402010u);
  PokeUInt8(*buffer, 6, 0x1AB);
  EXPECT_EQ(PeekUInt8(*buffer, 0), 0xEF);
  EXPECT_EQ(PeekUInt8(*buffer, 1), 0xBE);
  EXPECT_EQ(PeekUInt16(*buffer, 0), 0xBEEF);
  EXPECT_EQ(PeekUInt8(*buffer, 2), 0x10);
  EXPECT_EQ(PeekInt32(*buffer, 2), static_cast<int32_t>(0x80402010u));
  EXPECT_LT(PeekInt32(*buffer, 2), 0);
  EXPECT_EQ(PeekUInt8(*buffer, 6), 0xAB);
  ResizeBuffer(*buffer, 3);
  EXPECT_EQ(BufferSize(*buffer), 3);
  EXPECT_EQ(PeekUInt16(*buffer, 0), 0xBEEF);
  ResizeBuffer(*buffer, 5);
  EXPECT_EQ(PeekUInt16(*buffer, 3), 0);  // new bytes are zero
}

TEST(Buffers, AccessOutsideTheBufferIsHarmless) {
  auto buffer = CreateBuffer(4);
  PokeUInt32(*buffer, 0, 0x04030201u);
  EXPECT_EQ(PeekUInt16(*buffer, 3), 0);  // would straddle the end
  EXPECT_EQ(PeekInt32(*buffer, 1), 0);
  EXPECT_EQ(PeekUInt8(*buffer, -1), 0);
  EXPECT_EQ(PeekUInt8(*buffer, 4), 0);
  PokeUInt32(*buffer, 2, 0xFFFFFFFFu);
  PokeUInt16(*buffer, -1, 0xFFFF);
  PokeUInt8(*buffer, 4, 0xFF);
  EXPECT_EQ(PeekInt32(*buffer, 0), 0x04030201);
  EXPECT_EQ(BufferSize(*buffer), 4);
}

TEST(Buffers, SaveAndLoadRoundTrip) {
  TempDir dir;
  auto buffer = CreateBuffer(300);
  for (int i = 0; i < 300; i++) PokeUInt8(*buffer, i, i * 7);
  ASSERT_TRUE(SaveBuffer(*buffer, dir.File("b.bin")));
  EXPECT_EQ(FileLength(dir.File("b.bin")), 300);
  auto loaded = LoadBuffer(dir.File("b.bin"));
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->Bytes, buffer->Bytes);
  // Saving again replaces the whole file, also with a shorter one.
  ResizeBuffer(*buffer, 2);
  ASSERT_TRUE(SaveBuffer(*buffer, dir.File("b.bin")));
  EXPECT_EQ(FileLength(dir.File("b.bin")), 2);
}

TEST(Folders, CreateListRenameDelete) {
  TempDir dir;
  const std::string sub = dir.File("pLiMo");
  EXPECT_TRUE(CreateFolder(sub));
  EXPECT_TRUE(CreateFolder(sub));  // already there is fine
  EXPECT_FALSE(CreateFolder(dir.File("a/b")));  // only the last level is made
  ASSERT_TRUE(WriteWholeFile(sub + "/one.txt", "1"));
  EXPECT_TRUE(RenameFileTo(sub + "/one.txt", sub + "/two.ttf"));
  EXPECT_FALSE(RenameFileTo(sub + "/one.txt", sub + "/three"));

  std::vector<std::string> names;
  FolderListing* listing = OpenFolderListing(sub);
  ASSERT_NE(listing, nullptr);
  for (std::string name = NextFolderEntry(listing); !name.empty(); name = NextFolderEntry(listing))
    names.push_back(name);
  CloseFolderListing(listing);
  std::sort(names.begin(), names.end());
  EXPECT_EQ(names, (std::vector<std::string>{".", "..", "two.ttf"}));
  EXPECT_EQ(OpenFolderListing(dir.File("missing")), nullptr);

  DeleteFileAt(sub + "/two.ttf");
  EXPECT_EQ(FileLength(sub + "/two.ttf"), -1);
  DeleteFileAt(sub + "/two.ttf");  // already gone: nothing happens
}

TEST(Folders, ModifiedTimesCompare) {
  TempDir dir;
  ASSERT_TRUE(WriteWholeFile(dir.File("old"), "o"));
  ASSERT_TRUE(WriteWholeFile(dir.File("new"), "n"));
  struct timespec times[2] = {{1000000000, 0}, {1000000000, 0}};
  ASSERT_EQ(utimensat(AT_FDCWD, dir.File("old").c_str(), times, 0), 0);
  EXPECT_EQ(FileModifiedTime(dir.File("old")), 1000000000);
  EXPECT_GT(FileModifiedTime(dir.File("new")), FileModifiedTime(dir.File("old")));
}

TEST(Folders, FileExtension) {
  EXPECT_EQ(FileExtension("font.ttf"), "ttf");
  EXPECT_EQ(FileExtension("archive.tar.gz"), "gz");
  EXPECT_EQ(FileExtension("README"), "");
  EXPECT_EQ(FileExtension("name."), "");
  EXPECT_EQ(FileExtension("my.folder/file"), "");
}

TEST(Embedded, LookupsAreExactAndTheFirstRegistrationWins) {
  size_t length = 99;
  const uint8_t* bytes = EmbeddedData("Data/test_member.bin", &length);
  ASSERT_EQ(bytes, kEmbedded);
  EXPECT_EQ(length, sizeof kEmbedded);
  EXPECT_EQ(EmbeddedData("data/test_member.bin", &length), nullptr);  // case matters
  EXPECT_EQ(EmbeddedData("test_member.bin", &length), nullptr);
  EXPECT_EQ(FileLength("incbin::Data/test_member.bin"), static_cast<int>(sizeof kEmbedded));
  EXPECT_EQ(FileLength("incbin::Data/none"), -1);
}

TEST(Embedded, StreamsAndBuffersReadTheEntry) {
  Stream* s = OpenRead(std::string(EMBEDDED_PREFIX) + "Data/test_member.bin");
  ASSERT_NE(s, nullptr);
  EXPECT_EQ(StreamLength(s), static_cast<int>(sizeof kEmbedded));
  EXPECT_EQ(ReadTextLine(s), "line1");
  EXPECT_EQ(ReadTextLine(s), "x");
  EXPECT_EQ(ReadTextLine(s), "y");
  EXPECT_TRUE(AtEnd(s));
  EXPECT_EQ(ReadUInt8(s), -1);
  SeekTo(s, 4);
  EXPECT_EQ(ReadUInt8(s), '1');
  WriteUInt8(s, 1);  // read-only: refused, reported on close
  EXPECT_FALSE(CloseFile(s));
  EXPECT_EQ(kEmbedded[5], 13);

  auto buffer = LoadBuffer("incbin::Data/test_member.bin");
  ASSERT_NE(buffer, nullptr);
  EXPECT_EQ(OpenRead("incbin::Data/none"), nullptr);
  EXPECT_EQ(OpenWrite("incbin::Data/test_member.bin"), nullptr);
  EXPECT_EQ(OpenUpdate("incbin::Data/test_member.bin"), nullptr);
  EXPECT_EQ(buffer->Bytes, std::vector<uint8_t>(kEmbedded, kEmbedded + sizeof kEmbedded));
}

}  // namespace
