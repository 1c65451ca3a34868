// Message boxes, the web browser, the user's data folder, the program file
// and ending the program.
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>

#include "media/internal.h"
#include "media/threads.h"

using namespace media_internal;

namespace media_internal {

Overrides& TestOverrides() {
  static auto* overrides = new Overrides;  // lives until the process ends
  return *overrides;
}

}  // namespace media_internal

namespace {

// Whether an executable file of that name lies in a folder of the PATH.
[[maybe_unused]] bool ProgramOnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  if (!path) return false;
  const std::string folders = path;
  for (size_t start = 0; start <= folders.size();) {
    size_t colon = folders.find(':', start);
    if (colon == std::string::npos) colon = folders.size();
    const std::string folder = folders.substr(start, colon - start);
    if (!folder.empty() && access((folder + "/" + name).c_str(), X_OK) == 0) return true;
    start = colon + 1;
  }
  return false;
}

// Whether an address can be handed to something that opens it: a web page
// opens addresses itself, a desktop needs xdg-open.
bool CanOpenAddresses() {
#ifdef __EMSCRIPTEN__
  return true;
#else
  return ProgramOnPath("xdg-open");
#endif
}

// Creates every missing folder of an absolute path.
void CreateFolderChain(const std::string& path) {
  for (size_t slash = path.find('/', 1); ; slash = path.find('/', slash + 1)) {
    mkdir(path.substr(0, slash).c_str(), 0755);
    if (slash == std::string::npos) break;
  }
}

}  // namespace

void ShowMessage(const std::string& text) {
  Overrides& o = TestOverrides();
  if (o.RecordMessages) {
    o.Messages.push_back(text);
    return;
  }
  DisplayState& d = Display();
  if (!VideoStarted() ||
      SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, d.Title.c_str(), text.c_str(), d.Window) != 0) {
    std::fprintf(stderr, "%s: %s\n", d.Title.c_str(), text.c_str());
  }
}

bool OpenWebPage(const std::string& address) {
  Overrides& o = TestOverrides();
  if (o.NoBrowser) return false;
  if (o.RecordMessages) {
    o.WebPages.push_back(address);
    return true;
  }
  // SDL starts xdg-open in a grandchild and reports success whether or not
  // it ran: without it on the PATH nothing would open.
  if (!CanOpenAddresses()) return false;
  return SDL_OpenURL(address.c_str()) == 0;
}

bool BackgroundThreadsAvailable() {
#ifdef __EMSCRIPTEN__
  return false;  // a web page runs the game in its one thread
#else
  return true;
#endif
}

void SetWindowClass(const std::string& name) {
  setenv("SDL_VIDEO_X11_WMCLASS", name.c_str(), 0);
  setenv("SDL_VIDEO_WAYLAND_WMCLASS", name.c_str(), 0);
}

std::string UserAppDataFolder() {
  Overrides& o = TestOverrides();
  if (!o.AppDataFolder.empty()) return o.AppDataFolder;
  std::string folder;
  const char* xdg = std::getenv("XDG_DATA_HOME");
  if (xdg && *xdg == '/') {
    folder = xdg;
  } else {
    // Without HOME the account's own home from the password database; never
    // a shared folder that another local user could have prepared.
    std::string home;
    const char* variable = std::getenv("HOME");
    if (variable && *variable == '/') {
      home = variable;
    } else if (const passwd* account = getpwuid(getuid()); account && account->pw_dir && *account->pw_dir == '/') {
      home = account->pw_dir;
    }
    if (home.empty()) return "";
    folder = home + "/.local/share";
  }
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  // A fresh account may not have the folder yet; the game only creates the
  // last level of its own folder.
  CreateFolderChain(folder);
  return folder;
}

std::string ProgramFilePath() {
  Overrides& o = TestOverrides();
  if (!o.ProgramPath.empty()) return o.ProgramPath;
  char buffer[PATH_MAX];
  ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (n <= 0) return "";
  return std::string(buffer, static_cast<size_t>(n));
}

void EndProgram() {
  MediaQuit();
  std::exit(0);
}

namespace media_test {

void RecordMessages(bool on) { TestOverrides().RecordMessages = on; }
void SetUnpacedFrames(bool on) { TestOverrides().UnpacedFrames = on; }
std::vector<std::string>& RecordedMessages() { return TestOverrides().Messages; }
std::vector<std::string>& RecordedWebPages() { return TestOverrides().WebPages; }
void SetNoBrowser(bool on) { TestOverrides().NoBrowser = on; }
void SetUserAppDataFolder(const std::string& path) { TestOverrides().AppDataFolder = path; }
void SetProgramFilePath(const std::string& path) { TestOverrides().ProgramPath = path; }
void SetDesktopSize(int width, int height) {
  TestOverrides().DesktopW = width;
  TestOverrides().DesktopH = height;
}

}  // namespace media_test

std::string GetClipboardText() {
  constexpr size_t MOST = 4096;
  if (!VideoStarted()) return "";
  char* text = SDL_GetClipboardText();
  if (text == nullptr) return "";
  std::string kept(text, strnlen(text, MOST));
  SDL_free(text);
  return kept;
}

bool SetClipboardText(const std::string& text) {
  return VideoStarted() && SDL_SetClipboardText(text.c_str()) == 0;
}

int64_t UtcDayNumber() {
  const std::time_t now = std::time(nullptr);
  return static_cast<int64_t>(now) / 86400;
}
