// A file of the player's that exists but could not be read (no permission,
// a folder or a pipe in its place, far too large) holds data that is not
// the game's to throw away: it is never written over. What changes during
// the run stays in memory, and the player is told once why it is not saved.
#pragma once

#include <string>

class T_KEPT_FILE {
 public:
  // Notes whether the file at `path` could be read: a file that is missing
  // (nothing at the path) may be written; one that exists and was not read
  // is kept as it is.
  void Loaded(const std::string& path, bool read);
  // True when the file may be written; otherwise tells the player once and
  // returns false.
  bool MayWrite(const std::string& path);
  bool Kept() const { return KeepAsItIs; }

 private:
  bool KeepAsItIs = false;
  bool Reported = false;
};
