// Whole-file reads, file facts, folders and folder listings.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "media/internal.h"

using namespace media_internal;

struct FolderListing {
  DIR* Dir = nullptr;
};

namespace media_internal {

bool ReadAllBytes(const std::string& path, std::vector<uint8_t>& out) {
  out.clear();
  if (IsEmbeddedPath(path)) {
    const uint8_t* data;
    size_t length;
    if (!EmbeddedView(path, data, length)) return false;
    out.assign(data, data + length);
    return true;
  }
  // Only regular files, opened without waiting on a pipe or a device.
  int fd = OpenFileNoWait(path, O_RDONLY);
  if (fd < 0) return false;
  struct stat st;
  bool ok = fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size >= 0 &&
            static_cast<uint64_t>(st.st_size) <= MAX_WHOLE_FILE_BYTES;
  if (ok) {
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    out.resize(static_cast<size_t>(st.st_size));
    size_t got = 0;
    while (got < out.size()) {
      ssize_t n = read(fd, out.data() + got, out.size() - got);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;
      got += static_cast<size_t>(n);
    }
    ok = got == out.size();
  }
  close(fd);
  if (!ok) out.clear();
  return ok;
}

}  // namespace media_internal

int64_t FileModifiedTime(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return 0;
  return static_cast<int64_t>(st.st_mtime);
}

int64_t FileLength(const std::string& path) {
  if (IsEmbeddedPath(path)) {
    const uint8_t* data;
    size_t length;
    return EmbeddedView(path, data, length) ? static_cast<int64_t>(length) : -1;
  }
  struct stat st;
  if (stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return -1;
  return static_cast<int64_t>(st.st_size);
}

bool PathExists(const std::string& path) {
  if (IsEmbeddedPath(path)) return FileLength(path) >= 0;
  struct stat st;
  return lstat(path.c_str(), &st) == 0;
}

bool CreateFolder(const std::string& path) {
  if (path.empty()) return false;
  if (mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) return false;
  struct stat st;
  return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void DeleteFileAt(const std::string& path) {
  if (!IsEmbeddedPath(path)) std::remove(path.c_str());
}

bool RenameFileTo(const std::string& oldPath, const std::string& newPath) {
  if (IsEmbeddedPath(oldPath) || IsEmbeddedPath(newPath)) return false;
  return std::rename(oldPath.c_str(), newPath.c_str()) == 0;
}

FolderListing* OpenFolderListing(const std::string& path) {
  DIR* dir = opendir(path.c_str());
  if (!dir) return nullptr;
  auto* listing = new FolderListing;
  listing->Dir = dir;
  return listing;
}

std::string NextFolderEntry(FolderListing* listing) {
  if (!listing || !listing->Dir) return "";
  dirent* entry = readdir(listing->Dir);
  return entry ? entry->d_name : "";
}

void CloseFolderListing(FolderListing* listing) {
  if (!listing) return;
  if (listing->Dir) closedir(listing->Dir);
  delete listing;
}

std::string FileExtension(const std::string& name) {
  size_t dot = name.rfind('.');
  if (dot == std::string::npos) return "";
  // A dot inside a folder name is not an extension.
  size_t slash = name.rfind('/');
  if (slash != std::string::npos && slash > dot) return "";
  return name.substr(dot + 1);
}
