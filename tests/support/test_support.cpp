#include "tests/support/test_support.h"

#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "media/media.h"

namespace test_support {

namespace fs = std::filesystem;

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  const char* binary = std::getenv("PLIMO_BINARY_DIR");
  fs::path base = binary && *binary ? fs::path(binary) / "test-tmp" : fs::temp_directory_path() / "plimo-test-tmp";
  fs::create_directories(base);
  for (;;) {
    fs::path candidate = base / ("t" + std::to_string(getpid()) + "_" + std::to_string(counter++));
    if (fs::create_directory(candidate)) {
      path_ = candidate.string();
      break;
    }
  }
}

TempDir::~TempDir() {
  std::error_code ignored;
  fs::remove_all(path_, ignored);
}

std::string TempDir::File(const std::string& name) const { return path_ + "/" + name; }

bool OpenTestDisplay(int width, int height) {
  static bool started = false;
  if (!started) {
    // Run headless unless the caller chose a driver.
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    if (!MediaInit()) return false;
    started = true;
  }
  return OpenDisplay(width, height, false);
}

std::string SourceDir() {
  const char* dir = std::getenv("PLIMO_SOURCE_DIR");
  return dir ? dir : "";
}

std::string ReadSourceFile(const std::string& relativePath) {
  if (SourceDir().empty()) return "";
  return ReadWholeFile(SourceDir() + "/" + relativePath);
}

bool SourceFileExists(const std::string& relativePath) {
  return !SourceDir().empty() && fs::is_regular_file(SourceDir() + "/" + relativePath);
}

bool WriteWholeFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
  return static_cast<bool>(out);
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return "";
  std::ostringstream buffer;
  buffer << in.rdbuf();
  return buffer.str();
}

}  // namespace test_support
