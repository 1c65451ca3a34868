#include "persistence/kept_file.h"

#include "localisation/languages.h"
#include "media/media.h"

void T_KEPT_FILE::Loaded(const std::string& path, bool read) {
  KeepAsItIs = !read && PathExists(path);
  Reported = false;
}

bool T_KEPT_FILE::MayWrite(const std::string& path) {
  if (!KeepAsItIs) return true;
  if (!Reported) {
    ShowMessage(GetTextOr("File Kept", "Can't read this file - it is kept as it is, and this run's changes are not saved to it:") +
                " " + path);
    Reported = true;
  }
  return false;
}
