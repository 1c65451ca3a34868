// Drawing a frame must not allocate: several hundred sprites are drawn per
// frame. This program counts the C++ allocations made on the test's thread.
#include <gtest/gtest.h>

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <new>

#include "media/media.h"
#include "tests/support/test_support.h"

namespace {
thread_local bool counting = false;
std::atomic<long> allocations{0};
}  // namespace

namespace {

void* Allocate(std::size_t size, std::size_t alignment) {
  if (counting) allocations++;
  if (size == 0) size = 1;
  if (alignment <= alignof(std::max_align_t)) return std::malloc(size);
  return std::aligned_alloc(alignment, (size + alignment - 1) / alignment * alignment);
}

void* AllocateOrThrow(std::size_t size, std::size_t alignment) {
  void* p = Allocate(size, alignment);
  if (!p) throw std::bad_alloc();
  return p;
}

}  // namespace

// Every form of the global operators is replaced, so that whatever a library
// in the process allocates is released by the matching function.
void* operator new(std::size_t n) { return AllocateOrThrow(n, 0); }
void* operator new[](std::size_t n) { return AllocateOrThrow(n, 0); }
void* operator new(std::size_t n, const std::nothrow_t&) noexcept { return Allocate(n, 0); }
void* operator new[](std::size_t n, const std::nothrow_t&) noexcept { return Allocate(n, 0); }
void* operator new(std::size_t n, std::align_val_t a) { return AllocateOrThrow(n, static_cast<std::size_t>(a)); }
void* operator new[](std::size_t n, std::align_val_t a) { return AllocateOrThrow(n, static_cast<std::size_t>(a)); }
void* operator new(std::size_t n, std::align_val_t a, const std::nothrow_t&) noexcept {
  return Allocate(n, static_cast<std::size_t>(a));
}
void* operator new[](std::size_t n, std::align_val_t a, const std::nothrow_t&) noexcept {
  return Allocate(n, static_cast<std::size_t>(a));
}
// GCC takes the free() of a replaced operator delete for a mismatch with
// operator new; here both sides are malloc and free.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }
void operator delete(void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { std::free(p); }
void operator delete(void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::align_val_t) noexcept { std::free(p); }
void operator delete(void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

namespace {

TEST(HotPath, DrawingAFrameAllocatesNothing) {
  ASSERT_TRUE(test_support::OpenTestDisplay(400, 300));
  Image* capture = CreateCaptureImage(48, 48);
  ASSERT_NE(capture, nullptr);
  const std::string text = "Level 11 - 0'42\"";
  StringWidth(text);  // glyphs are made on first use, not counted
  DrawString(text, 0, 0);

  allocations = 0;
  counting = true;
  for (int i = 0; i < 600; i++) {
    SetDrawColour(i % 256, 255 - i % 256, 128);
    SetDrawAlpha((i % 10) / 10.0f);
    SetBlendMode(i % 3 == 0 ? BLEND_ADDITIVE : BLEND_ALPHA);
    SetDrawScale(0.5f + (i % 4) * 0.25f, 1.0f);
    DrawSprite(capture, static_cast<float>(i % 400), static_cast<float>(i % 300), 0);
    DrawSpriteStretched(capture, 1.5f, 2.5f, 30, 30, 0);
    const int quarters[4] = {0, 0, 0, 0};
    if (i % 4 == 0) DrawQuarters(capture, 4, 4, 12, quarters);
  }
  for (int i = 0; i < 20; i++) {
    FillRect(0, 0, 10, 10);
    DrawString(text, 5, 5.0f * i);
    StringWidth(text);
  }
  ClearClipArea();
  counting = false;
  EXPECT_EQ(allocations.load(), 0);
  FreeImage(capture);
}

}  // namespace
