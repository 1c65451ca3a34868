#include "app/help_page.h"

#include <cstdint>
#include <vector>

#include "app/paths.h"
#include "media/media.h"

// The page's bytes, built into the program by cmake/EmbedHelpPage.cmake.
extern "C" const unsigned char plimo_help_page[];
extern "C" const unsigned char plimo_help_page_end[];

namespace {

// Removes "." and "name/.." segments of an absolute path.
std::string CollapseDots(const std::string& path) {
  std::vector<std::string> parts;
  size_t start = 1;
  while (start <= path.size()) {
    size_t slash = path.find('/', start);
    if (slash == std::string::npos) slash = path.size();
    const std::string part = path.substr(start, slash - start);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    start = slash + 1;
  }
  std::string out;
  for (const std::string& part : parts) out += "/" + part;
  return out.empty() ? "/" : out;
}

// The page installed with the game, "" when there is none.
std::string InstalledPage() {
  const std::string program = ProgramFilePath();
  const size_t slash = program.rfind('/');
  if (program.empty() || program[0] != '/' || slash == std::string::npos) return "";
  const std::string page = CollapseDots(program.substr(0, slash + 1) + PLIMO_HELP_FROM_BINDIR);
  return FileLength(page) > 0 ? page : "";
}

// The built-in copy, written into the user data folder; "" on failure.
std::string WrittenPage() {
  const std::string page = UserDataFolder + "/" + HELP_PAGE_FILE;
  ByteBuffer bytes;
  bytes.Bytes.assign(plimo_help_page, plimo_help_page_end);
  const std::unique_ptr<ByteBuffer> old = LoadBuffer(page);
  if (old && old->Bytes == bytes.Bytes) return page;
  if (!SaveBuffer(bytes, page)) {
    ShowMessage("Error writing the help page: " + page);
    return "";
  }
  return page;
}

}  // namespace

std::string FileAddress(const std::string& path) {
  static const char HEX[] = "0123456789ABCDEF";
  std::string address = "file://";
  for (const char ch : path) {
    const auto c = static_cast<unsigned char>(ch);
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
        c == '_' || c == '~' || c == '/') {
      address += static_cast<char>(c);
    } else {
      address += '%';
      address += HEX[c >> 4];
      address += HEX[c & 15];
    }
  }
  return address;
}

std::string HelpPageAddress() {
  std::string page = InstalledPage();
  if (page.empty()) page = WrittenPage();
  return page.empty() ? "" : FileAddress(page);
}
