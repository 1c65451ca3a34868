#include "app/archive.h"

#include <cstdio>
#include <map>
#include <sstream>

#include "app/archive_members.h"
#include "app/paths.h"
#include "media/media.h"

namespace {

// FNV-1a, 64 bits: enough to tell one version of a small text from another.
uint64_t Digest(const uint8_t* bytes, size_t length) {
  uint64_t hash = 14695981039346656037ull;
  for (size_t i = 0; i < length; i++) hash = (hash ^ bytes[i]) * 1099511628211ull;
  return hash;
}

// name -> digest, one "digest name" line each. Unreadable lines are skipped:
// a copy without a record entry is only ever kept, never replaced.
std::map<std::string, uint64_t> ReadRecord(const std::string& path) {
  std::map<std::string, uint64_t> record;
  const std::unique_ptr<ByteBuffer> buffer = LoadBuffer(path);
  if (!buffer) return record;
  std::istringstream in(std::string(buffer->Bytes.begin(), buffer->Bytes.end()));
  std::string line;
  while (std::getline(in, line)) {
    const size_t space = line.find(' ');
    if (space != 16 || line.size() <= 17) continue;
    uint64_t digest = 0;
    bool hex = true;
    for (size_t i = 0; i < 16; i++) {
      const char c = line[i];
      const int v = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
      if (v < 0) hex = false;
      digest = digest << 4 | static_cast<uint64_t>(v & 15);
    }
    if (hex) record[line.substr(17)] = digest;
  }
  return record;
}

std::string RecordText(const std::map<std::string, uint64_t>& record) {
  std::string text;
  char digest[17];
  for (const auto& [name, value] : record) {
    std::snprintf(digest, sizeof digest, "%016llx", static_cast<unsigned long long>(value));
    text += std::string(digest) + " " + name + "\n";
  }
  return text;
}

}  // namespace

void RegisterArchive() {
  for (int i = 0; i < ARCHIVE_MEMBER_COUNT; i++) {
    const ArchiveMember& m = ARCHIVE_MEMBERS[i];
    if (m.Start) RegisterEmbeddedFile(m.Name, m.Start, static_cast<size_t>(m.End - m.Start));
  }
}

bool RefreshUserCopies(const std::vector<std::string>& names, std::vector<std::string>& messages) {
  const std::string recordPath = UserDataFolder + "/" + COPIES_RECORD_FILE;
  const std::map<std::string, uint64_t> before = ReadRecord(recordPath);
  std::map<std::string, uint64_t> after;
  bool ok = true;
  for (const std::string& name : names) {
    size_t length = 0;
    const uint8_t* bytes = EmbeddedData("Data/" + name, &length);
    if (!bytes) {
      ok = false;
      continue;
    }
    const uint64_t shipped = Digest(bytes, length);
    const auto recorded = before.find(name);
    const std::string target = UserDataFolder + "/" + name;
    // An empty file is no text anyone wrote: a copy cut short by a crash.
    bool write = FileLength(target) <= 0;
    if (!write && !(recorded != before.end() && recorded->second == shipped)) {
      // Only a copy the record does not vouch for is read.
      const std::unique_ptr<ByteBuffer> copy = LoadBuffer(target);
      const uint64_t held = copy ? Digest(copy->Bytes.data(), copy->Bytes.size()) : 0;
      if (!copy) {
        write = true;  // nothing the game can read: replaced, or the failure told
      } else if (held == shipped) {
        // Already the shipped bytes: nothing to write.
      } else if (recorded != before.end() && held == recorded->second) {
        write = true;  // the game's own older text, untouched: an upgrade
      } else {
        if (recorded != before.end()) after[name] = recorded->second;  // the player's: kept
        continue;
      }
    }
    if (write) {
      ByteBuffer buffer;
      buffer.Bytes.assign(bytes, bytes + length);
      if (!SaveBuffer(buffer, target)) {
        messages.push_back("Error writing file: " + target);
        ok = false;
        if (recorded != before.end()) after[name] = recorded->second;
        continue;
      }
    }
    after[name] = shipped;
  }
  if (after != before) {
    ByteBuffer record;
    const std::string text = RecordText(after);
    record.Bytes.assign(text.begin(), text.end());
    if (!SaveBuffer(record, recordPath)) {
      messages.push_back("Error writing file: " + recordPath);
      ok = false;
    }
  }
  return ok;
}
