// Small helpers every test program can use.
#pragma once

#include <sys/resource.h>

#include <csignal>
#include <cstdint>
#include <string>

namespace test_support {

// A fresh folder under BinaryDir()/test-tmp (or the system's temporary
// folder when that is unknown), removed with everything in it when the object goes away.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& Path() const { return path_; }
  // Path() + "/" + name.
  std::string File(const std::string& name) const;

 private:
  std::string path_;
};

// Starts the media layer and opens a window of the given size on the
// headless video driver. The platform starts once per process; later calls
// only re-open the display (which resets the drawing state). False when no
// display could be opened.
bool OpenTestDisplay(int width = 640, int height = 480);

// The repository folder: PLIMO_SOURCE_DIR, or when that is unset the source
// folder recorded in the CMake cache of the build folder holding the test
// program; "" when neither is known.
std::string SourceDir();
// The build folder: PLIMO_BINARY_DIR, or the build folder holding the test
// program; "" when neither is known.
std::string BinaryDir();
// Contents of a file of the repository given by its path from the
// repository root; "" when it cannot be read.
std::string ReadSourceFile(const std::string& relativePath);
// Whether that file exists.
bool SourceFileExists(const std::string& relativePath);

// The contrast ratio of two sRGB colours, as the web's accessibility
// guidelines define it: (L1 + 0.05) / (L2 + 0.05), the lighter first.
double ContrastRatio(int r1, int g1, int b1, int r2, int g2, int b2);
// The same for two pixels read back as 0xRRGGBBAA.
double PixelContrast(uint32_t a, uint32_t b);

// Writes bytes to a file (replacing it); false on failure.
bool WriteWholeFile(const std::string& path, const std::string& bytes);
// Reads a whole file; "" when it cannot be read.
std::string ReadWholeFile(const std::string& path);

// Runs `body` while files may grow to at most `limit` bytes, as on a full
// disk: a write past the limit stores what fits and then fails.
template <typename Body>
void WithFileSizeLimit(rlim_t limit, Body body) {
  struct rlimit saved;
  getrlimit(RLIMIT_FSIZE, &saved);
  auto oldHandler = signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = saved;
  small.rlim_cur = limit;
  setrlimit(RLIMIT_FSIZE, &small);
  body();
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, oldHandler);
}

}  // namespace test_support
