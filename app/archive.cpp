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
  // A missing copy is always written; an existing one is replaced when the
  // program is newer. A program whose own time cannot be read (0) never
  // replaces a copy, which the player may have edited.
  const bool copyExists = FileLength(target) >= 0;
  if (copyExists && FileModifiedTime(ProgramFilePath()) <= FileModifiedTime(target)) return true;

  Stream* out = OpenWrite(target);
  bool written = out != nullptr;
  if (out) {
    WriteBytes(out, bytes, length);
    written = CloseFile(out);
  }
  if (!written) {
    ShowMessage("Error writing file: " + target);
    return false;
  }
  return true;
}
