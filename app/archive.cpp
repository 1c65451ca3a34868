#include "app/archive.h"

#include "app/archive_members.h"
#include "app/paths.h"
#include "media/media.h"

void RegisterArchive() {
  for (int i = 0; i < ARCHIVE_MEMBER_COUNT; i++) {
    const ArchiveMember& m = ARCHIVE_MEMBERS[i];
    if (m.Start) RegisterEmbeddedFile(m.Name, m.Start, static_cast<size_t>(m.End - m.Start));
  }
}

bool ExtractEmbeddedFile(const std::string& name) {
  size_t length = 0;
  const uint8_t* bytes = EmbeddedData("Data/" + name, &length);
  if (!bytes) return false;

  const std::string target = UserDataFolder + "/" + name;
  const int64_t programTime = FileModifiedTime(ProgramFilePath());
  const int64_t copyTime = FileLength(target) == -1 ? 0 : FileModifiedTime(target);
  if (programTime <= copyTime) return true;

  Stream* out = OpenWrite(target);
  bool written = out != nullptr;
  if (out) {
    for (size_t i = 0; i < length; i++) WriteUInt8(out, bytes[i]);
    written = CloseFile(out);
  }
  if (!written) {
    ShowMessage("Error writing file: " + target);
    return false;
  }
  return true;
}
