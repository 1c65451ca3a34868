// The embedded archive: named byte ranges linked into the program, looked up
// by exact name. Paths starting with "incbin::" address them.
#include <map>

#include "media/internal.h"

const char* const EMBEDDED_PREFIX = "incbin::";

namespace {

struct Entry {
  const uint8_t* Bytes;
  size_t Length;
};

std::map<std::string, Entry>& Entries() {
  static auto* entries = new std::map<std::string, Entry>;  // lives until the process ends
  return *entries;
}

}  // namespace

void RegisterEmbeddedFile(const std::string& name, const uint8_t* bytes, size_t length) {
  Entries().emplace(name, Entry{bytes, length});  // keeps an existing entry
}

const uint8_t* EmbeddedData(const std::string& name, size_t* length) {
  auto it = Entries().find(name);
  if (it == Entries().end()) {
    if (length) *length = 0;
    return nullptr;
  }
  if (length) *length = it->second.Length;
  // An empty entry still needs a non-null answer: it exists.
  static const uint8_t empty = 0;
  return it->second.Bytes ? it->second.Bytes : &empty;
}

namespace media_internal {

bool IsEmbeddedPath(const std::string& path) { return path.rfind(EMBEDDED_PREFIX, 0) == 0; }

bool EmbeddedView(const std::string& path, const uint8_t*& data, size_t& length) {
  data = nullptr;
  length = 0;
  if (!IsEmbeddedPath(path)) return false;
  data = EmbeddedData(path.substr(std::char_traits<char>::length(EMBEDDED_PREFIX)), &length);
  return data != nullptr;
}

bool ViewPathBytes(const std::string& path, std::vector<uint8_t>& storage, const uint8_t*& data,
                   size_t& length) {
  if (IsEmbeddedPath(path)) return EmbeddedView(path, data, length);
  if (!ReadAllBytes(path, storage)) return false;
  data = storage.data();
  length = storage.size();
  return true;
}

}  // namespace media_internal
