// Private state shared by the files of the media layer. Nothing outside
// media/ includes this header.
#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>
#include <vector>

#include "media/media.h"
#include "media/media_test.h"

// An image: one texture holding every frame, each with a one-pixel border
// copied from its edge so that smooth sampling never bleeds into a
// neighbouring frame.
//
// Pictures of the embedded archive are decoded when first drawn (or ahead of
// that, in a frame's spare time): until then the image knows its size and
// frames from the picture's header only.
struct Image {
  SDL_Texture* Texture = nullptr;
  int Width = 0, Height = 0;     // one frame
  std::vector<SDL_Rect> Frames;  // source rectangle of each frame in the texture
  std::vector<SDL_Color> FrameMeans;  // mean colour of each frame; alpha 0 when transparent
  bool Capture = false;
  bool Target = false;  // drawing can go into it
  bool Pending = false;  // not decoded yet
  std::string Source;    // the picture, while pending
  std::vector<SDL_Point> Cells;  // top-left corner of each frame in the picture
  int PictureWidth = 0, PictureHeight = 0;
  // Decoded only in the frames' spare time, never by drawing it.
  bool Deferred = false;
  // Frames already scaled to a size they are drawn at (software renderer).
  struct ScaledFrame {
    int Frame = 0, W = 0, H = 0;
    SDL_Texture* Texture = nullptr;
  };
  std::vector<ScaledFrame> Scaled;
  // Sets of four frames put together as the quarters of one square.
  struct Quarters {
    int Frames[4] = {};
    int Cell = 0;
    Image* Whole = nullptr;  // owned here, not listed among the images
  };
  std::vector<Quarters> Squares;
};

namespace media_internal {

// ------------------------------------------------------------ byte sources
// Reads a whole file, or the embedded entry named after "incbin::", into
// `out`. False when the file is missing, unreadable, not a regular file or
// larger than MAX_WHOLE_FILE_BYTES.
constexpr uint64_t MAX_WHOLE_FILE_BYTES = 256ull << 20;
bool ReadAllBytes(const std::string& path, std::vector<uint8_t>& out);
// open() of a file for reading or updating: O_NOFOLLOW is added for a file of
// the player's folder, and a link refused there is reported (once).
int OpenFileNoWait(const std::string& path, int flags);
// For an "incbin::" path: the entry's bytes without copying them (true), or
// false when the path is not embedded or has no entry (then `data` is null).
bool EmbeddedView(const std::string& path, const uint8_t*& data, size_t& length);
bool IsEmbeddedPath(const std::string& path);
// The bytes behind a path: an embedded entry viewed in place, or a file read
// into `storage`. False when neither can be had.
bool ViewPathBytes(const std::string& path, std::vector<uint8_t>& storage, const uint8_t*& data,
                   size_t& length);

// Writes `length` bytes to a temporary file beside `path`, flushes it to
// disk and renames it over `path`. The old file survives any failure.
bool WriteFileAtomically(const std::string& path, const uint8_t* bytes, size_t length);
std::string TemporaryPathFor(const std::string& path);

// ----------------------------------------------------------------- display
struct DisplayState {
  SDL_Window* Window = nullptr;
  SDL_Renderer* Renderer = nullptr;
  bool Open = false;  // OpenDisplay succeeded
  bool VSync = false;
  bool Software = false;  // SDL's software renderer: scaling a sprite costs far more than copying it
  int Width = 0, Height = 0;  // drawing surface in pixels
  int RefreshRate = 60;
  uint64_t LastPresentNs = 0;
  std::string Title = "pLiMo";
  bool CloseRequested = false;
};
DisplayState& Display();
bool VideoStarted();
// Says why the game cannot start: on standard error, and in a message box
// where one can open (recorded instead while tests record messages).
void ReportStartFailure(const std::string& reason);

// ------------------------------------------------------------ drawing state
struct DrawState {
  int R = 255, G = 255, B = 255;
  float Alpha = 1.0f;
  BlendMode Blend = BLEND_MASK;
  float ScaleX = 1.0f, ScaleY = 1.0f;
  float OriginX = 0.0f, OriginY = 0.0f;
  int ClipX = 0, ClipY = 0, ClipW = 0, ClipH = 0;
  int ClearR = 0, ClearG = 0, ClearB = 0;
  Font* CurrentFont = nullptr;  // null = the built-in font
};
DrawState& Draw();
void ResetDrawState(int width, int height);
// Sets the renderer's clip rectangle from the drawing state.
void ApplyClip();
// Applies blend mode, colour and alpha to a texture before it is drawn.
void PrepareTexture(SDL_Texture* texture, bool coverageOnly);
// Sends the primitives queued so far to the renderer (before the screen is
// read back, or something they use goes away).
void FlushDraws();
// Something on screen changed that the queue does not show (a captured
// image, a texture replaced): the next frame is presented whatever it holds.
void ScreenContentChanged();
// Ends the frame's drawing: true when it must be presented, false when it
// is the same as the frame on screen.
bool FinishFrame();
// Adds a call to the recording when recording is on.
void RecordDraw(media_test::DrawKind kind, const Image* image, int frame, float x, float y, float w,
                float h, const std::string& text);
bool Recording();

// ------------------------------------------------------------------ images
// Decodes a PNG or JPEG into RGBA bytes (4 per pixel, row after row).
bool DecodePicture(const uint8_t* data, size_t length, std::vector<uint8_t>& rgba, int& width,
                   int& height);
bool EncodePNG(const std::string& path, const std::vector<uint8_t>& rgba, int width, int height);
// Width and height from a PNG or JPEG header, without decoding the picture.
bool PictureSize(const uint8_t* data, size_t length, int& width, int& height);
void FreeAllImages();
// Decodes and uploads a pending image; false when it has no pixels.
bool PrepareImage(Image* image);
// Decodes pending images until the steady clock reaches `dueNs` (at least
// one when `atLeastOne`); false when none is left.
bool PrefetchImagesUntil(uint64_t dueNs, bool atLeastOne);
// The frame scaled to w x h in a texture of its own, made on first use, so
// that drawing it at that size is a plain copy; null where scaling at draw
// time is as cheap (a GPU renderer) or the image's pixels may change.
SDL_Texture* ScaledFrameTexture(Image& image, int frame, int w, int h);
// Drops every scaled frame (the display changed: the sizes drawn at change).
void DropScaledFrames();
// The four frames put together as the quarters of a 2 cell x 2 cell image
// (top-left, top-right, bottom-right, bottom-left), each as drawn
// stretched to cell x cell; made on first use, null when it cannot be.
Image* QuartersImage(Image& strip, const int frames[4], int cell);
// Frees the scaled frames and quarter sets of an image.
void ReleaseScaledFrames(Image& image);
uint64_t SteadyNs();

// ------------------------------------------------------------------- fonts
void FreeAllFonts();
// Draws text with the current font; used by DrawString after recording.
void RenderText(const std::string& text, float x, float y);
// Next Unicode code point of UTF-8 text at `pos` (advanced); invalid bytes
// come out one by one as U+FFFD.
uint32_t NextCodePoint(const std::string& text, size_t& pos);
void AppendUtf8(std::string& out, uint32_t codePoint);

// The built-in font: printable ASCII as 8-bit coverage maps.
struct DefaultGlyph {
  int Left, Top, Width, Height;  // bitmap placement from the pen and baseline
  float Advance;
  const uint8_t* Coverage;  // Width x Height bytes
};
extern const int DEFAULT_FONT_ASCENT;
extern const int DEFAULT_FONT_LINE_HEIGHT;
// Glyph of a printable ASCII character (32..126), null for anything else.
const DefaultGlyph* DefaultFontGlyph(uint32_t codePoint);

// ------------------------------------------------------------------- audio
void StartAudio();
void StopAudio();

// ------------------------------------------------------------------- input
// Every input event, real or injected, goes through here.
void HandleEvent(const SDL_Event& event);
void PumpEvents();
void ResetInputState();
int KeyCodeFromSdl(SDL_Keycode key);
// Moves the pointer position the game reads, without moving the system
// pointer (the place a finger left the screen).
void SetPointerState(int x, int y);
SDL_Keycode SdlFromKeyCode(int key);

// ---------------------------------------------------------------- gamepads
// Game controllers played as the keyboard (gamepad.cpp).
void StartGamepads();
void StopGamepads();
void ResetGamepads();
void HandleGamepadEvent(const SDL_Event& event);
// Steps of the arrows held on a pad, once per event poll.
void RepeatHeldArrows();

// ------------------------------------------------------------------- touch
void HandleTouchEvent(const SDL_Event& event);
void ResetTouch();

// ------------------------------------------------------------------ system
// Overrides set by tests ("" / 0 when unset).
struct Overrides {
  int DesktopW = 0, DesktopH = 0;
  bool EmptyDesktop = false;  // the platform reports a desktop of 0 x 0
  std::string AppDataFolder;
  std::string ProgramPath;
  bool RecordMessages = false;
  bool NoBrowser = false;  // web pages cannot be opened
  bool UnpacedFrames = false;  // presenting never waits for the refresh
  std::vector<std::string> Messages;
  std::vector<std::string> WebPages;
};
Overrides& TestOverrides();

}  // namespace media_internal
