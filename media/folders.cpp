// Whole-file reads, file facts, folders and folder listings.
#include <dirent.h>
#include <sys/stat.h>

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
  struct stat st;
  if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return false;
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  out.resize(static_cast<size_t>(st.st_size));
  size_t got = out.empty() ? 0 : std::fread(out.data(), 1, out.size(), f);
  bool ok = got == out.size() && !std::ferror(f);
  std::fclose(f);
  if (!ok) out.clear();
  return ok;
}

}  // namespace media_internal

int64_t FileModifiedTime(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return 0;
  return static_cast<int64_t>(st.st_mtime);
}

int FileLength(const std::string& path) {
  if (IsEmbeddedPath(path)) {
    const uint8_t* data;
    size_t length;
    return EmbeddedView(path, data, length) ? static_cast<int>(length) : -1;
  }
  struct stat st;
  if (stat(path.c_str(), &st) != 0 || S_ISDIR(st.st_mode)) return -1;
  return static_cast<int>(st.st_size);
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
