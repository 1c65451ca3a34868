#include "tests/support/test_support.h"

#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "media/media.h"

namespace test_support {

namespace fs = std::filesystem;

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  const std::string binary = BinaryDir();
  fs::path base = !binary.empty() ? fs::path(binary) / "test-tmp" : fs::temp_directory_path() / "plimo-test-tmp";
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

namespace {

// The build folder holding this test program: the first folder above it
// with a CMakeCache.txt.
fs::path BuildFolderOfThisProgram() {
  std::error_code error;
  fs::path dir = fs::read_symlink("/proc/self/exe", error).parent_path();
  for (; !error && !dir.empty() && dir != dir.root_path(); dir = dir.parent_path())
    if (fs::exists(dir / "CMakeCache.txt")) return dir;
  return {};
}

// A value of the build folder's CMake cache, "" when absent.
std::string CacheValue(const std::string& key) {
  fs::path build = BuildFolderOfThisProgram();
  if (build.empty()) return "";
  std::ifstream cache(build / "CMakeCache.txt");
  for (std::string line; std::getline(cache, line);) {
    if (line.rfind(key + ":", 0) != 0) continue;
    size_t equals = line.find('=');
    if (equals != std::string::npos) return line.substr(equals + 1);
  }
  return "";
}

}  // namespace

std::string SourceDir() {
  const char* dir = std::getenv("PLIMO_SOURCE_DIR");
  if (dir && *dir) return dir;
  // Run without the test environment (by hand, or by a runner that lost
  // it): the build folder knows where the sources are.
  static const std::string fromCache = CacheValue("CMAKE_HOME_DIRECTORY");
  return fromCache;
}

std::string BinaryDir() {
  const char* dir = std::getenv("PLIMO_BINARY_DIR");
  if (dir && *dir) return dir;
  static const std::string fromProgram = BuildFolderOfThisProgram().string();
  return fromProgram;
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

namespace {

double Luminance(int r, int g, int b) {
  auto linear = [](int c) {
    const double v = c / 255.0;
    return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * linear(r) + 0.7152 * linear(g) + 0.0722 * linear(b);
}

}  // namespace

double ContrastRatio(int r1, int g1, int b1, int r2, int g2, int b2) {
  const double a = Luminance(r1, g1, b1), b = Luminance(r2, g2, b2);
  return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

double PixelContrast(uint32_t a, uint32_t b) {
  return ContrastRatio(a >> 24, (a >> 16) & 0xFF, (a >> 8) & 0xFF, b >> 24, (b >> 16) & 0xFF, (b >> 8) & 0xFF);
}

}  // namespace test_support
