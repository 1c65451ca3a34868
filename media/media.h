// The platform layer: one display with an immediate-mode 2D drawing context,
// images and strips, TrueType fonts, sound channels, polled input, a
// millisecond clock, random numbers, files, byte buffers, folder listings,
// the embedded archive, message boxes and the web browser.
//
// This header is the whole surface the game sees. Only the files under
// media/ include SDL or codec headers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Opaque handles. Images, fonts and sounds are owned by the media layer and
// stay valid until MediaQuit (or FreeImage / FreeFont for the ones the game
// re-creates).
struct Image;
struct Font;
struct Sound;
struct Stream;
struct FolderListing;

// A playing (or paused) instance of a sound. 0 is "no channel"; operations on
// a channel that has finished (or on 0) are harmless.
using Channel = int;

enum BlendMode { BLEND_SOLID, BLEND_ALPHA, BLEND_ADDITIVE, BLEND_MASK };

// Key codes the game tests (the Windows virtual-key values).
enum KeyCode {
  KEY_BACKSPACE = 8,
  KEY_ENTER = 13,
  KEY_CONTROL = 17,  // either Ctrl key
  KEY_ESCAPE = 27,
  KEY_SPACE = 32,
  KEY_PAGE_UP = 33,
  KEY_PAGE_DOWN = 34,
  KEY_END = 35,
  KEY_HOME = 36,
  KEY_LEFT = 37,
  KEY_UP = 38,
  KEY_RIGHT = 39,
  KEY_DOWN = 40,
  KEY_F1 = 112,
};

enum PointerButton { BUTTON_LEFT = 1, BUTTON_RIGHT = 2 };

// Resizable little-endian byte array.
struct ByteBuffer {
  std::vector<uint8_t> Bytes;
};

// ---------------------------------------------------------------- lifetime
// Starts the platform (video, audio, timer). Audio failure is not an error:
// the game then runs silent. Returns false when video cannot start: no
// display (a video driver that shows nothing is refused), a desktop of no
// size; the reason is then on standard error and, where one can open, in a
// message box.
bool MediaInit();
// Releases every image, font, sound, channel and the display.
void MediaQuit();

// ------------------------------------------------------- display and frame
// Closes any open display and opens a new one: a window with a client area
// of width x height, or the whole display at that size. Starts a fresh
// drawing state (white, alpha 1, scale 1, origin 0, clip = whole display,
// default font, blend mask). Images stay usable.
// The first opening that fails says why, as MediaInit does.
bool OpenDisplay(int width, int height, bool fullScreen);
// Whether a display is open to draw on.
bool DisplayIsOpen();
// Shows the back buffer, paced by vertical synchronisation (or a limiter at
// the display rate when vsync is unavailable), then gathers pending input.
void PresentFrame();
void DesktopSize(int& width, int& height);
void SetAppTitle(const std::string& title);
void SetWindowIcon();
bool CloseRequested();

// ---------------------------------------------------- drawing state, shapes
void SetDrawColour(int r, int g, int b);
void SetDrawAlpha(float alpha);
void SetBlendMode(BlendMode mode);
void SetDrawScale(float sx, float sy);
void SetDrawOrigin(float x, float y);
void SetClipArea(int x, int y, int w, int h);  // absolute display pixels
void SetClearColour(int r, int g, int b);
void ClearClipArea();
void FillRect(float x, float y, float w, float h);
void DrawSprite(Image* image, float x, float y, int frame);
void DrawSpriteStretched(Image* image, float x, float y, float w, float h, int frame);
// Four frames as the quarters of a 2 cell x 2 cell square at (x, y): top-left,
// top-right, bottom-right, bottom-left, the same as four DrawSpriteStretched
// calls (and recorded as those). A set drawn again is one sprite.
void DrawQuarters(Image* strip, float x, float y, int cell, const int frames[4]);
// Text is UTF-8. A character the font has no glyph for is drawn as a hollow
// box; control and invisible formatting characters are skipped.
void DrawString(const std::string& text, float x, float y);
// Sum of advances, truncated to an integer after each character; ignores the
// draw scale.
int StringWidth(const std::string& text);
int FontHeight();
// Whether the selected font has a glyph of its own (not the missing-glyph
// box) for at least one character of the text.
bool FontHasGlyphs(const std::string& text);

// ------------------------------------------------------- images and fonts
Image* LoadSprite(const std::string& path);
Image* LoadSpriteStrip(const std::string& path, int cellWidth, int cellHeight, int first, int count);
// A picture of the player's shown small (a flag): refused at once when its
// header asks for more than PLAYER_PICTURE_PIXELS; otherwise only measured
// now and decoded later in the frames' spare time, at most one per frame
// (drawing it before that draws nothing), and scaled down once to fit
// within maxWidth x maxHeight, which is then its size.
constexpr int64_t PLAYER_PICTURE_PIXELS = 4 << 20;
Image* LoadSpriteWithin(const std::string& path, int maxWidth, int maxHeight);
Image* CreateCaptureImage(int width, int height);
void CaptureScreen(Image* image, int x, int y);
// An image that drawing can go into instead of the display. Between
// BeginImageDrawing and EndImageDrawing every drawing call lands in the
// image (origin 0, 0, clipped to the image) and the display's back buffer
// is left alone; EndImageDrawing puts back the display with its origin and
// clip area. Drawing into an image that is not a target draws nothing.
Image* CreateTargetImage(int width, int height);
void BeginImageDrawing(Image* image);
void EndImageDrawing();
void FreeImage(Image* image);
int ImageWidth(const Image* image);   // one frame
int ImageHeight(const Image* image);  // one frame
int ImageFrames(const Image* image);
// The mean colour of one frame, each pixel weighted by its opacity; false
// (and white) while the picture is not decoded or the frame is transparent.
bool FrameColour(const Image* image, int frame, int& r, int& g, int& b);

Font* LoadTrueTypeFont(const std::string& path, int pixelSize);
void FreeFont(Font* font);
// nullptr selects the built-in default font (printable ASCII).
void SelectFont(Font* font);

// ------------------------------------------------------------------ sound
Sound* LoadSoundFile(const std::string& path, bool loop);
Channel PlaySoundEffect(Sound* sound);
Channel CueOnChannel(Sound* sound);
void SetVolume(Channel channel, float volume);
void UnpauseChannel(Channel channel);
void HaltChannel(Channel channel);
bool IsChannelPlaying(Channel channel);

// ------------------------------------------------------------------ input
// One key press. Key is the key pressed (a KeyCode, a letter's upper-case
// code or a digit), 0 when the press only typed a character or was the
// platform's auto-repeat of a held key; Char is the character it typed, 0
// for none. A key and the character it types make one press. Control is
// true when a Ctrl key was held at the press.
struct KeyPress {
  int Key = 0;
  int Char = 0;
  bool Control = false;
};
// The key presses since the last call, in the order they were made.
std::vector<KeyPress> TakeKeyPresses();
bool IsKeyDown(int key);
// Forgets the presses not taken yet and every key held.
void ClearKeyboard();
void PointerPosition(int& x, int& y);
int WheelPosition();
int ButtonHits(int button);
bool IsButtonDown(int button);
void ClearButtons();
void ShowSystemPointer();
void HideSystemPointer();
void MoveSystemPointer(int x, int y);

// ------------------------------------------------------ time and randomness
// Milliseconds since the program started, from 1; never wraps.
int64_t Milliseconds();
float RandomFloat(float min, float max);  // [min, max)
int RandomInt(int min, int max);          // min..max inclusive

// -------------------------------------------------------- files and streams
// A path starting with "incbin::" names a read-only member of the embedded
// archive.
extern const char* const EMBEDDED_PREFIX;  // "incbin::"

// Only regular files are opened: a pipe, a device or a folder at the path
// gives nullptr at once.
Stream* OpenRead(const std::string& path);
// Files lying directly in this folder are the player's own: reading them
// (OpenRead, OpenUpdate, LoadBuffer, pictures, fonts) never follows a
// symbolic link, so a link planted in place of one cannot make the game read
// or write another file. Each refused link is handed once per run to
// `refused` (may be empty).
void SetPlayerFolder(const std::string& folder, std::function<void(const std::string& path)> refused);
// Writes go to a temporary file beside the target; CloseFile replaces the
// target only when every write succeeded, so a crash or a full disk keeps
// the previous version.
// The temporary file has a name of its own (target + ".tmp~" + process id +
// "." + serial), created exclusively, so no link planted beside the target
// is followed and two copies of the game never share one.
Stream* OpenWrite(const std::string& path);
// Reads and writes an existing regular file in place. Closing does not wait
// for the disk.
Stream* OpenUpdate(const std::string& path);
bool AtEnd(Stream* stream);
int64_t StreamLength(Stream* stream);
void SeekTo(Stream* stream, int64_t position);
// Flushes and closes; false when anything written could not be stored.
bool CloseFile(Stream* stream);
int ReadUInt8(Stream* stream);  // -1 past the end
void WriteUInt8(Stream* stream, int value);
// Reads up to `length` bytes from the position; returns how many were read.
size_t ReadBytes(Stream* stream, uint8_t* bytes, size_t length);
// Hands the bytes to the system in one write at the position; false when
// not all of them were stored (the stream is then failed; the bytes that
// did reach the file stay there until the stream is truncated).
bool WriteBytes(Stream* stream, const uint8_t* bytes, size_t length);
// Sets the length of a file opened with OpenUpdate; false on failure.
bool TruncateStream(Stream* stream, int64_t length);
// Text lines are raw bytes, one char per byte: ReadTextLine stops at a line
// feed, a zero byte or the end (consuming the terminator) and drops carriage
// returns; WriteTextLine appends a carriage return and a line feed; WriteText
// appends nothing, so a text read as bytes is written back byte for byte.
std::string ReadTextLine(Stream* stream);
void WriteTextLine(Stream* stream, const std::string& text);
void WriteText(Stream* stream, const std::string& text);

std::unique_ptr<ByteBuffer> LoadBuffer(const std::string& path);
std::unique_ptr<ByteBuffer> CreateBuffer(int size);
// Replaces the file atomically (temporary file, then rename).
bool SaveBuffer(const ByteBuffer& buffer, const std::string& path);
int BufferSize(const ByteBuffer& buffer);
void ResizeBuffer(ByteBuffer& buffer, int size);
int PeekUInt8(const ByteBuffer& buffer, int offset);
int PeekUInt16(const ByteBuffer& buffer, int offset);
int32_t PeekInt32(const ByteBuffer& buffer, int offset);
void PokeUInt8(ByteBuffer& buffer, int offset, int value);
void PokeUInt16(ByteBuffer& buffer, int offset, int value);
void PokeUInt32(ByteBuffer& buffer, int offset, uint32_t value);

int64_t FileModifiedTime(const std::string& path);  // whole seconds, 0 if missing
int64_t FileLength(const std::string& path);        // -1 when missing
// Whether anything (a file, a folder, a pipe, a link) is at the path.
bool PathExists(const std::string& path);
bool CreateFolder(const std::string& path);
void DeleteFileAt(const std::string& path);
bool RenameFileTo(const std::string& oldPath, const std::string& newPath);
// Deletes the temporary files that a copy of the game which is no longer
// running left in the folder (after a crash or a kill).
void RemoveStaleTemporaryFiles(const std::string& folder);
FolderListing* OpenFolderListing(const std::string& path);
std::string NextFolderEntry(FolderListing* listing);  // "" ends the listing
void CloseFolderListing(FolderListing* listing);
std::string FileExtension(const std::string& name);

// Embedded archive. Registering a name twice keeps the first entry.
void RegisterEmbeddedFile(const std::string& name, const uint8_t* bytes, size_t length);
// nullptr when there is no entry of that exact name.
const uint8_t* EmbeddedData(const std::string& name, size_t* length);

// ----------------------------------------------------------------- system
void ShowMessage(const std::string& text);
// The system clipboard's text (at most 4096 bytes of it; "" when it holds
// none), and replacing it; false when the system refused.
std::string GetClipboardText();
bool SetClipboardText(const std::string& text);
// Days since 1970-01-01 in UTC, from the system's wall clock.
int64_t UtcDayNumber();
// Hands the address to the desktop's opener (xdg-open); false when there is
// none to hand it to.
bool OpenWebPage(const std::string& address);
// The X11 and Wayland window class of the windows opened afterwards (call it
// before MediaInit); a class the user's environment sets wins.
void SetWindowClass(const std::string& name);
// The per-user data folder ($XDG_DATA_HOME, else the home folder's
// .local/share, the home taken from the password database when HOME is
// unset); "" when the account has none.
std::string UserAppDataFolder();
std::string ProgramFilePath();
[[noreturn]] void EndProgram();

// --------------------------------------------------------------- gamepads
// Game controllers play as the keyboard: their buttons arrive as the key
// presses and typed characters of the keys they stand for. True once after
// a controller was connected (also one already plugged in at start); the
// call clears it.
bool GamepadArrived();

// ------------------------------------------------------------------ touch
// Set by the first poll that sees a finger; cleared by a real mouse click.
extern bool TouchMode;
void InitTouch();
// Folds the touch points into the frame's pointer values (window pixels).
void PollTouch(int& pointerX, int& pointerY, int& leftHit, bool& leftDown);
