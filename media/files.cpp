// File streams. A stream reads a file, an embedded entry or writes a file.
// Writes of a new file go to a temporary file beside the target, which
// replaces the target only when everything was stored (see CloseFile).
//
// Files are reached through plain descriptors with positioned reads and
// writes, so the stream's position and size are its own and a failed write
// never leaves bytes behind in a library buffer that a later call could
// write again.
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <set>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "media/internal.h"

using namespace media_internal;

namespace {

constexpr size_t READ_BLOCK = 4096;
constexpr size_t WRITE_BLOCK = 65536;
// Temporary files of this game end their target's name with this, the
// process id, a dot and a serial number.
const char* const TEMPORARY_MARK = ".tmp~";

}  // namespace

struct Stream {
  // Embedded entry (read only) when Embedded is set, else a file.
  bool Embedded = false;
  const uint8_t* Data = nullptr;

  int Fd = -1;
  int64_t Position = 0;
  int64_t Size = 0;
  bool Writable = false;
  bool Failed = false;  // a write or the flush did not succeed

  // Bytes read ahead, starting at file offset ReadStart.
  std::vector<uint8_t> ReadAhead;
  int64_t ReadStart = 0;
  // Bytes written but not yet handed to the system, to go at WriteStart.
  std::vector<uint8_t> Pending;
  int64_t WriteStart = 0;

  std::string Target;  // set for OpenWrite: renamed from TempPath on close
  std::string TempPath;
};

namespace {

struct PlayerFolderState {
  std::string Folder;  // with its trailing "/"
  std::function<void(const std::string&)> Refused;
  std::set<std::string> Reported;
};

PlayerFolderState& PlayerFolder() {
  static auto* state = new PlayerFolderState;  // lives until the process ends
  return *state;
}

// Whether `path` names a file directly inside the player's folder.
bool InPlayerFolder(const std::string& path) {
  const std::string& folder = PlayerFolder().Folder;
  return !folder.empty() && path.size() > folder.size() && path.compare(0, folder.size(), folder) == 0 &&
         path.find('/', folder.size()) == std::string::npos;
}

// Opens a regular file without blocking: a pipe or a device at the path is
// refused before anything waits on it.
int OpenRegular(const std::string& path, int flags) {
  int fd = OpenFileNoWait(path, flags);
  if (fd < 0) return -1;
  struct stat st;
  if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    close(fd);
    return -1;
  }
  // Back to ordinary blocking reads and writes for the regular file.
  fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
  return fd;
}

Stream* StreamOn(int fd, bool writable) {
  struct stat st;
  if (fstat(fd, &st) != 0) {
    close(fd);
    return nullptr;
  }
  auto* s = new Stream;
  s->Fd = fd;
  s->Size = static_cast<int64_t>(st.st_size);
  s->Writable = writable;
  return s;
}

// Writes every byte at the offset; false when the system stored fewer.
bool WriteAllAt(int fd, const uint8_t* bytes, size_t length, int64_t offset) {
  while (length > 0) {
    ssize_t n = pwrite(fd, bytes, length, static_cast<off_t>(offset));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes += n;
    length -= static_cast<size_t>(n);
    offset += n;
  }
  return true;
}

void FlushPending(Stream* s) {
  if (s->Pending.empty()) return;
  if (!WriteAllAt(s->Fd, s->Pending.data(), s->Pending.size(), s->WriteStart)) s->Failed = true;
  s->Pending.clear();
}

void DropReadAhead(Stream* s) { s->ReadAhead.clear(); }

// Makes the folder's entry changes (a rename) durable.
void SyncFolderOf(const std::string& path) {
  size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  fsync(fd);
  close(fd);
}

// A fresh temporary file beside `path`, created exclusively: an existing
// file or link of that name is never opened.
int CreateTemporaryFor(const std::string& path, std::string& temp) {
  static std::atomic<unsigned> serial{0};
  for (int attempt = 0; attempt < 100; attempt++) {
    temp = TemporaryPathFor(path) + std::to_string(getpid()) + "." + std::to_string(serial++);
    int fd = open(temp.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0) return fd;
    if (errno != EEXIST) return -1;
  }
  return -1;
}

// The process id in a temporary file name of ours, or 0 when the name is
// not one.
long TemporaryOwner(const std::string& name) {
  size_t mark = name.rfind(TEMPORARY_MARK);
  if (mark == std::string::npos || mark == 0) return 0;
  const std::string tail = name.substr(mark + std::strlen(TEMPORARY_MARK));
  // The fixed name of earlier versions has no owner: it is always stale.
  if (tail.empty()) return -1;
  size_t dot = tail.find('.');
  if (dot == std::string::npos || dot == 0 || dot + 1 == tail.size()) return 0;
  for (size_t i = 0; i < tail.size(); i++) {
    if (i != dot && (tail[i] < '0' || tail[i] > '9')) return 0;
  }
  if (dot > 9) return 0;
  return std::stol(tail.substr(0, dot));
}

}  // namespace

namespace media_internal {

int OpenFileNoWait(const std::string& path, int flags) {
  const bool own = InPlayerFolder(path);
  int fd = open(path.c_str(), flags | O_NONBLOCK | O_CLOEXEC | (own ? O_NOFOLLOW : 0));
  if (fd < 0 && own && errno == ELOOP) {
    PlayerFolderState& state = PlayerFolder();
    if (state.Reported.insert(path).second && state.Refused) state.Refused(path);
  }
  return fd;
}

std::string TemporaryPathFor(const std::string& path) { return path + TEMPORARY_MARK; }

bool WriteFileAtomically(const std::string& path, const uint8_t* bytes, size_t length) {
  Stream* s = OpenWrite(path);
  if (!s) return false;
  WriteBytes(s, bytes, length);
  return CloseFile(s);
}

}  // namespace media_internal

void SetPlayerFolder(const std::string& folder, std::function<void(const std::string& path)> refused) {
  PlayerFolderState& state = PlayerFolder();
  state.Folder = folder.empty() ? std::string() : folder + "/";
  state.Refused = std::move(refused);
  state.Reported.clear();
}

Stream* OpenRead(const std::string& path) {
  if (IsEmbeddedPath(path)) {
    const uint8_t* data;
    size_t length;
    if (!EmbeddedView(path, data, length)) return nullptr;
    auto* s = new Stream;
    s->Embedded = true;
    s->Data = data;
    s->Size = static_cast<int64_t>(length);
    return s;
  }
  int fd = OpenRegular(path, O_RDONLY);
  return fd < 0 ? nullptr : StreamOn(fd, false);
}

Stream* OpenWrite(const std::string& path) {
  if (IsEmbeddedPath(path) || path.empty()) return nullptr;
  struct stat st;
  if (stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return nullptr;
  std::string temp;
  int fd = CreateTemporaryFor(path, temp);
  if (fd < 0) return nullptr;
  Stream* s = StreamOn(fd, true);
  if (!s) {
    unlink(temp.c_str());
    return nullptr;
  }
  s->Target = path;
  s->TempPath = temp;
  return s;
}

Stream* OpenUpdate(const std::string& path) {
  if (IsEmbeddedPath(path)) return nullptr;
  int fd = OpenRegular(path, O_RDWR);
  return fd < 0 ? nullptr : StreamOn(fd, true);
}

int64_t StreamLength(Stream* s) { return s ? s->Size : 0; }

bool AtEnd(Stream* s) { return !s || s->Position >= s->Size; }

void SeekTo(Stream* s, int64_t position) {
  if (!s || position < 0) return;
  s->Position = position;
}

bool CloseFile(Stream* s) {
  if (!s) return false;
  bool ok = true;
  if (s->Fd >= 0) {
    FlushPending(s);
    ok = !s->Failed;
    // A replaced file must be on the disk before its name moves over the
    // old one; a file changed in place is left to the system's own pace.
    if (ok && !s->Target.empty() && fsync(s->Fd) != 0) ok = false;
    if (close(s->Fd) != 0) ok = false;
  } else {
    ok = !s->Failed;
  }
  if (!s->Target.empty()) {
    if (ok && std::rename(s->TempPath.c_str(), s->Target.c_str()) != 0) ok = false;
    if (ok) {
      SyncFolderOf(s->Target);
    } else {
      unlink(s->TempPath.c_str());
    }
  }
  delete s;
  return ok;
}

int ReadUInt8(Stream* s) {
  if (!s || s->Position >= s->Size) return -1;
  if (s->Embedded) return s->Data[s->Position++];
  FlushPending(s);
  const int64_t inAhead = s->Position - s->ReadStart;
  if (inAhead < 0 || inAhead >= static_cast<int64_t>(s->ReadAhead.size())) {
    s->ReadAhead.resize(READ_BLOCK);
    ssize_t n;
    do {
      n = pread(s->Fd, s->ReadAhead.data(), READ_BLOCK, static_cast<off_t>(s->Position));
    } while (n < 0 && errno == EINTR);
    if (n <= 0) {
      s->ReadAhead.clear();
      return -1;
    }
    s->ReadAhead.resize(static_cast<size_t>(n));
    s->ReadStart = s->Position;
  }
  return s->ReadAhead[static_cast<size_t>(s->Position++ - s->ReadStart)];
}

size_t ReadBytes(Stream* s, uint8_t* bytes, size_t length) {
  size_t got = 0;
  if (!s || !bytes) return 0;
  if (s->Embedded) {
    while (got < length && s->Position < s->Size) bytes[got++] = s->Data[s->Position++];
    return got;
  }
  FlushPending(s);
  DropReadAhead(s);
  while (got < length && s->Position < s->Size) {
    ssize_t n = pread(s->Fd, bytes + got, length - got, static_cast<off_t>(s->Position));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<size_t>(n);
    s->Position += n;
  }
  return got;
}

void WriteUInt8(Stream* s, int value) {
  if (!s) return;
  if (!s->Writable || s->Embedded) {
    s->Failed = true;
    return;
  }
  DropReadAhead(s);
  if (!s->Pending.empty() && s->WriteStart + static_cast<int64_t>(s->Pending.size()) != s->Position) FlushPending(s);
  if (s->Pending.empty()) s->WriteStart = s->Position;
  s->Pending.push_back(static_cast<uint8_t>(value & 0xFF));
  // Writing past the end extends the file (a gap left by a seek reads as 0).
  s->Position++;
  if (s->Position > s->Size) s->Size = s->Position;
  if (s->Pending.size() >= WRITE_BLOCK) FlushPending(s);
}

bool WriteBytes(Stream* s, const uint8_t* bytes, size_t length) {
  if (!s) return false;
  if (!s->Writable || s->Embedded || (!bytes && length > 0)) {
    s->Failed = true;
    return false;
  }
  DropReadAhead(s);
  FlushPending(s);
  if (s->Failed) return false;
  if (!WriteAllAt(s->Fd, bytes, length, s->Position)) {
    s->Failed = true;
    // What did reach the file is there: the size follows the file.
    struct stat st;
    if (fstat(s->Fd, &st) == 0) s->Size = static_cast<int64_t>(st.st_size);
    return false;
  }
  s->Position += static_cast<int64_t>(length);
  if (s->Position > s->Size) s->Size = s->Position;
  return true;
}

bool TruncateStream(Stream* s, int64_t length) {
  if (!s || !s->Writable || s->Embedded || length < 0) return false;
  DropReadAhead(s);
  s->Pending.clear();
  if (ftruncate(s->Fd, static_cast<off_t>(length)) != 0) return false;
  s->Size = length;
  if (s->Position > length) s->Position = length;
  return true;
}

std::string ReadTextLine(Stream* s) {
  std::string line;
  for (;;) {
    int c = ReadUInt8(s);
    if (c == -1 || c == 10 || c == 0) break;
    if (c == 13) continue;
    line.push_back(static_cast<char>(c));  // one byte, one char
  }
  return line;
}

void WriteText(Stream* s, const std::string& text) {
  for (char c : text) WriteUInt8(s, static_cast<unsigned char>(c));
}

void WriteTextLine(Stream* s, const std::string& text) {
  WriteText(s, text);
  WriteUInt8(s, 13);
  WriteUInt8(s, 10);
}

void RemoveStaleTemporaryFiles(const std::string& folder) {
  DIR* dir = opendir(folder.c_str());
  if (!dir) return;
  std::vector<std::string> stale;
  while (dirent* entry = readdir(dir)) {
    const std::string name = entry->d_name;
    const long owner = TemporaryOwner(name);
    if (owner == 0) continue;
    // A temporary file of a copy of the game that is still running is in
    // use; one whose writer has ended was left by a crash.
    if (owner > 0 && owner != getpid() && (kill(static_cast<pid_t>(owner), 0) == 0 || errno != ESRCH)) continue;
    if (owner == getpid()) continue;
    stale.push_back(folder + "/" + name);
  }
  closedir(dir);
  for (const std::string& path : stale) {
    struct stat st;
    if (lstat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode)) unlink(path.c_str());
  }
}
