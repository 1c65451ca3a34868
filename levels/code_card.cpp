#include "levels/code_card.h"

#include "app/assets.h"
#include "app/display.h"
#include "app/frame_input.h"
#include "levels/level_code.h"
#include "levels/level_map.h"
#include "levels/share_screens.h"
#include "levels/shared_level.h"
#include "localisation/languages.h"
#include "media/media.h"

namespace {

constexpr size_t LINE_CHARACTERS = 16;  // of the code per line on the card: 4 lines at most
constexpr int64_t CARET_MS = 500;       // the caret's blink

bool Open = false;
std::string Text;

// A character of a code as typed: letters in upper case, and digits.
char CodeCharacter(int c) {
  if (c >= 'a' && c <= 'z') return static_cast<char>(c - 'a' + 'A');
  if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return static_cast<char>(c);
  return 0;
}

void Add(int c) {
  const char typed = CodeCharacter(c);
  if (typed != 0 && Text.size() < static_cast<size_t>(LEVEL_CODE_MAX_LENGTH)) Text += typed;
}

}  // namespace

bool CodeEntryOpen() { return Open; }

void OpenCodeEntry() { Open = true; }

void CloseCodeEntry() {
  Open = false;
  Text.clear();
}

const std::string& CodeEntryText() { return Text; }

bool PlayCodeEntry() {
  if (Text.empty()) {
    CloseCodeEntry();
    return false;
  }
  const std::string message = OpenLevelCode(Text);
  if (!message.empty()) {
    ShowSharingNotice(message);
    return false;
  }
  CloseCodeEntry();
  return true;
}

bool CodeEntryKey(const KeyPress& press) {
  if (press.Key == 'V' && press.Control) {
    for (const char c : GetClipboardText()) Add(static_cast<unsigned char>(c));
    return false;
  }
  // A held key's repeats come without a key, with their character.
  const int typed = press.Char != 0 ? press.Char : press.Key;
  if (typed == KEY_ESCAPE) {
    CloseCodeEntry();
  } else if (typed == KEY_BACKSPACE) {
    if (!Text.empty()) Text.pop_back();
  } else if (typed == KEY_ENTER) {
    return PlayCodeEntry();
  } else if (press.Char != 0) {
    Add(press.Char);
  } else if ((press.Key >= 'A' && press.Key <= 'Z') || (press.Key >= '0' && press.Key <= '9')) {
    // A key without the text it types (no text input): its letter or digit.
    Add(press.Key);
  }
  return false;
}

void DrawCodeCard(int x, int y) {
  DrawCardFrame(x, y, Open);
  DrawCardLabel(GetText("Code"), x, y - CardHeight() / 4);
  // The field: a dark band the typed text goes on, in lines of a few
  // characters, the caret blinking after the last one.
  const float k = CardScale();
  const int top = y + CardHeight() * 7 / 20;
  SetDrawColour(0, 0, 0);
  SetDrawAlpha(Open ? 0.7f : 0.4f);
  FillRect(static_cast<float>(x) + 8 * k, static_cast<float>(top), static_cast<float>(CardWidth()) - 16 * k,
           static_cast<float>(y + CardHeight() - top) - 8 * k);
  SetDrawAlpha(1);
  if (Open) {
    std::string shown = Text;
    if ((Frame.Now / CARET_MS) % 2 == 0) shown += '_';
    SelectFont(SmallFont);
    const float pitch = static_cast<float>(FontHeight()) * CardTextScale() * 1.1f;
    float line = static_cast<float>(top) + 4 * k;
    for (size_t from = 0; from < shown.size(); from += LINE_CHARACTERS) {
      DrawCardLine(shown.substr(from, LINE_CHARACTERS), x, static_cast<int>(line));
      line += pitch;
    }
    SelectFont(nullptr);
  }
  SetDrawColour(255, 255, 255);
}
