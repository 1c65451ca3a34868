// Hooks for tests only: the shipped game never calls these. They let a test
// run the real game code without a screen or a person: injected input goes
// through the same event handling as real input, the clock can be set by
// hand, draw calls can be recorded, pixels read back, message boxes and web
// pages recorded instead of shown, and the folders and desktop overridden.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "media/media.h"

namespace media_test {

// ---- clock: once set by hand, Milliseconds() returns exactly this value
void SetClock(int64_t milliseconds);
void AdvanceClock(int64_t milliseconds);
void UseRealClock();
// Moves the real clock on by this much, as if the program had been running
// that much longer.
void ShiftRealClock(int64_t milliseconds);

// ---- video drivers without a screen (SDL's offscreen and dummy drivers):
// refused by MediaInit, since a game nobody can see would run forever,
// unless a test allows them here before starting the platform.
void AllowHeadlessVideo(bool allow);
// Makes the platform report a desktop of 0 x 0 to the next MediaInit.
void ReportEmptyDesktop(bool on);

// ---- input, handled immediately as if the platform had delivered it
void InjectKeyDown(int key);  // a KeyCode, or a letter/digit code
void InjectKeyUp(int key);
// The platform's auto-repeat of a key held down.
void InjectKeyRepeat(int key);
void InjectTypedChar(int character);
void InjectPointerMove(int x, int y);  // window pixels
void InjectButtonDown(int button);
void InjectButtonUp(int button);
void InjectWheel(int notches);
// Touch points (window pixels), by finger id. The primary finger is the one
// that went down while no other finger was down.
void InjectTouchDown(int id, float x, float y);
void InjectTouchMove(int id, float x, float y);
void InjectTouchUp(int id);
// The mouse events a platform makes up from a finger (marked as coming from
// touch); the game must not count them besides the finger itself.
void InjectMouseFromTouch(int x, int y, bool down);
// Game controllers, by id: connecting one, pulling it out, its buttons and
// its left stick (each axis -32768..32767, right and down positive).
enum PadButton {
  PAD_A, PAD_B, PAD_X, PAD_Y, PAD_BACK, PAD_GUIDE, PAD_START, PAD_LEFT_STICK, PAD_RIGHT_STICK,
  PAD_LEFT_SHOULDER, PAD_RIGHT_SHOULDER, PAD_DPAD_UP, PAD_DPAD_DOWN, PAD_DPAD_LEFT, PAD_DPAD_RIGHT
};
void InjectPadAdded(int id);
void InjectPadRemoved(int id);
void InjectPadButton(int id, PadButton button, bool down);
void InjectPadStick(int id, int x, int y);
void InjectCloseRequest();
// Queues a "window uncovered" event as the platform would deliver it.
void PushWindowExposed();
// Forget all injected and pending input and the close request.
void ResetInput();

// ---- draw-call recording
enum class DrawKind { Sprite, Stretched, Text, Fill, Clear };
struct DrawCall {
  DrawKind Kind;
  const Image* Img;  // nullptr for text, fills and clears
  int Frame;
  float X, Y, W, H;  // absolute display position and drawn size (scale applied)
  int R, G, B;
  float Alpha;
  BlendMode Blend;
  float ScaleX, ScaleY;
  int ClipX, ClipY, ClipW, ClipH;
  std::string Text;  // for text draws
};
void StartRecording();  // clears and starts
void StopRecording();
const std::vector<DrawCall>& RecordedDraws();
// Frames actually drawn and presented so far; a frame the same as the one
// on screen is not.
long PresentedFrames();
// Whether an image has its pixels yet (pictures of the archive are decoded
// when first drawn or in a frame's spare time).
bool ImageDecoded(const Image* image);
// Whether sprites drawn at another size than their own are scaled once and
// then copied (the default) or scaled at each draw; both give the same pixels.
void UseScaledFrames(bool on);

// ---- pixels of the back buffer as 0xRRGGBBAA; saving as PNG for people
uint32_t ReadPixel(int x, int y);
// A pixel of a target image (CreateTargetImage); 0 for any other image.
uint32_t ReadImagePixel(Image* image, int x, int y);
bool SaveBackBufferPNG(const std::string& path);

// ---- message boxes and web pages: recorded, never shown, while on
void RecordMessages(bool on);
std::vector<std::string>& RecordedMessages();
std::vector<std::string>& RecordedWebPages();
// While on, no web page can be opened, as on a machine without xdg-open.
void SetNoBrowser(bool on);

// ---- environment overrides
void SetDesktopSize(int width, int height);  // 0, 0 restores the real one
// Frames driven by a hand-set clock need no real-time pacing: presenting
// returns at once while this is on.
void SetUnpacedFrames(bool on);
void SetUserAppDataFolder(const std::string& path);
void SetProgramFilePath(const std::string& path);

// ---- audio inspection
float ChannelVolume(Channel channel);  // -1 for no such channel
bool ChannelPaused(Channel channel);
// Ogg Vorbis sounds loaded from now on are streamed when they are longer
// than this (2 s unless set).
void StreamSoundsLongerThan(double seconds);
// Stops (true) or restarts the device taking samples, so that a test can
// take them itself with PullChannelSamples.
void HoldAudio(bool hold);
// Whether a sound is decoded as it plays rather than when it was loaded.
bool SoundIsStreamed(const Sound* sound);
// Takes the channel's next `count` samples (stereo, device rate, full
// volume) as the mixer would, paused or not; fewer when the sound ends.
size_t PullChannelSamples(Channel channel, int16_t* out, size_t count);
// A sound file decoded whole and converted to the device's format.
bool DecodeWholeForDevice(const std::string& path, std::vector<int16_t>& out);

}  // namespace media_test
