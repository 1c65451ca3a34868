// File streams. A stream reads a file, an embedded entry or writes a file.
// Writes of a new file go to a temporary file beside the target, which
// replaces the target only when everything was stored (see CloseFile).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "media/internal.h"

using namespace media_internal;

struct Stream {
  // Embedded entry (read only) when Embedded is set, else a file.
  bool Embedded = false;
  const uint8_t* Data = nullptr;
  size_t Length = 0;
  size_t Position = 0;

  FILE* File = nullptr;
  long FilePosition = 0;  // kept here so that no query needs a system call
  long FileSize = 0;
  bool Writable = false;
  bool LastWasWrite = false;  // C streams need a seek between reads and writes
  bool Failed = false;        // a write or the flush did not succeed
  std::string Target;         // set for OpenWrite: renamed from TempPath on close
  std::string TempPath;
};

namespace {

Stream* OpenFile(const std::string& path, const char* mode, bool writable) {
  FILE* f = std::fopen(path.c_str(), mode);
  if (!f) return nullptr;
  struct stat st;
  if (fstat(fileno(f), &st) != 0) {
    std::fclose(f);
    return nullptr;
  }
  auto* s = new Stream;
  s->File = f;
  s->FileSize = static_cast<long>(st.st_size);
  s->Writable = writable;
  return s;
}

// Switches a read/write C stream between reading and writing.
void Turn(Stream* s, bool toWrite) {
  if (s->LastWasWrite != toWrite) std::fseek(s->File, 0, SEEK_CUR);
  s->LastWasWrite = toWrite;
}

}  // namespace

namespace media_internal {

std::string TemporaryPathFor(const std::string& path) { return path + ".tmp~"; }

bool WriteFileAtomically(const std::string& path, const uint8_t* bytes, size_t length) {
  Stream* s = OpenWrite(path);
  if (!s) return false;
  if (length > 0 && std::fwrite(bytes, 1, length, s->File) != length) s->Failed = true;
  s->FilePosition = s->FileSize = static_cast<long>(length);
  return CloseFile(s);
}

}  // namespace media_internal

Stream* OpenRead(const std::string& path) {
  if (IsEmbeddedPath(path)) {
    const uint8_t* data;
    size_t length;
    if (!EmbeddedView(path, data, length)) return nullptr;
    auto* s = new Stream;
    s->Embedded = true;
    s->Data = data;
    s->Length = length;
    return s;
  }
  struct stat st;
  if (stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return nullptr;
  return OpenFile(path, "rb", false);
}

Stream* OpenWrite(const std::string& path) {
  if (IsEmbeddedPath(path) || path.empty()) return nullptr;
  struct stat st;
  if (stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) return nullptr;
  const std::string temp = TemporaryPathFor(path);
  // w+ so that a writer may seek back and read what it wrote.
  Stream* s = OpenFile(temp, "w+b", true);
  if (!s) return nullptr;
  s->LastWasWrite = true;
  s->Target = path;
  s->TempPath = temp;
  return s;
}

Stream* OpenUpdate(const std::string& path) {
  if (IsEmbeddedPath(path)) return nullptr;
  struct stat st;
  if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return nullptr;
  return OpenFile(path, "r+b", true);
}

int StreamLength(Stream* s) {
  if (!s) return 0;
  if (s->Embedded) return static_cast<int>(s->Length);
  return static_cast<int>(s->FileSize);
}

bool AtEnd(Stream* s) {
  if (!s) return true;
  if (s->Embedded) return s->Position >= s->Length;
  return s->FilePosition >= s->FileSize;
}

void SeekTo(Stream* s, int position) {
  if (!s || position < 0) return;
  if (s->Embedded) {
    s->Position = static_cast<size_t>(position);
    return;
  }
  if (std::fseek(s->File, position, SEEK_SET) == 0) s->FilePosition = position;
}

bool CloseFile(Stream* s) {
  if (!s) return false;
  bool ok = !s->Failed;
  if (s->File) {
    if (s->Writable) {
      if (std::fflush(s->File) != 0) ok = false;
      if (ok && fsync(fileno(s->File)) != 0) ok = false;
    }
    if (std::fclose(s->File) != 0) ok = false;
  }
  if (!s->Target.empty()) {
    if (ok && std::rename(s->TempPath.c_str(), s->Target.c_str()) != 0) ok = false;
    if (!ok) std::remove(s->TempPath.c_str());
  }
  delete s;
  return ok;
}

int ReadUInt8(Stream* s) {
  if (!s) return -1;
  if (s->Embedded) {
    if (s->Position >= s->Length) return -1;
    return s->Data[s->Position++];
  }
  Turn(s, false);
  int c = std::fgetc(s->File);
  if (c == EOF) return -1;
  s->FilePosition++;
  return c;
}

void WriteUInt8(Stream* s, int value) {
  if (!s) return;
  if (!s->Writable) {
    s->Failed = true;
    return;
  }
  Turn(s, true);
  if (std::fputc(value & 0xFF, s->File) == EOF) {
    s->Failed = true;
    return;
  }
  // Writing past the end extends the file (a gap left by a seek reads as 0).
  s->FilePosition++;
  if (s->FilePosition > s->FileSize) s->FileSize = s->FilePosition;
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
