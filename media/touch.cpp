// Touch points from SDL finger events, folded into the frame's pointer
// values by PollTouch. The primary point is the first finger that went down
// while no other finger was down.
#include <cmath>

#include "media/internal.h"

using namespace media_internal;

bool TouchMode = false;

namespace {

struct TouchPoint {
  SDL_FingerID Id = 0;
  float X = 0, Y = 0;            // current position, window pixels
  float FirstX = 0, FirstY = 0;  // where the finger went down
  bool New = true;               // not yet seen by a poll
  bool Primary = false;
  bool Lifted = false;           // up, kept until one poll has seen it
};

std::vector<TouchPoint>& Points() {
  static auto* points = new std::vector<TouchPoint>;  // lives until the process ends
  return *points;
}

bool touchReady = false;

// Finger positions arrive normalised to 0..1 of the window.
void ToWindowPixels(const SDL_TouchFingerEvent& finger, float& x, float& y) {
  int w = Display().Width, h = Display().Height;
  if (Display().Window) SDL_GetWindowSize(Display().Window, &w, &h);
  // Rounded to 1/256 pixel so that a whole pixel position survives the trip
  // through the normalised value.
  x = std::round(static_cast<double>(finger.x) * w * 256.0) / 256.0f;
  y = std::round(static_cast<double>(finger.y) * h * 256.0) / 256.0f;
}

TouchPoint* Find(SDL_FingerID id) {
  for (TouchPoint& p : Points())
    if (p.Id == id && !p.Lifted) return &p;
  return nullptr;
}

}  // namespace

namespace media_internal {

void HandleTouchEvent(const SDL_Event& event) {
  const SDL_TouchFingerEvent& finger = event.tfinger;
  float x, y;
  ToWindowPixels(finger, x, y);
  if (event.type == SDL_FINGERDOWN) {
    bool othersDown = false;
    for (const TouchPoint& p : Points()) othersDown = othersDown || !p.Lifted;
    TouchPoint p;
    p.Id = finger.fingerId;
    p.X = p.FirstX = x;
    p.Y = p.FirstY = y;
    p.Primary = !othersDown;
    Points().push_back(p);
  } else if (TouchPoint* p = Find(finger.fingerId)) {
    p->X = x;
    p->Y = y;
    if (event.type == SDL_FINGERUP) p->Lifted = true;
  }
}

void ResetTouch() {
  Points().clear();
  TouchMode = false;
}

}  // namespace media_internal

void InitTouch() {
  // SDL delivers finger events for every window once video runs; nothing to
  // register. The mouse and the fingers stay apart (see MediaInit).
  touchReady = VideoStarted();
}

void PollTouch(int& pointerX, int& pointerY, int& leftHit, bool& leftDown) {
  if (!touchReady) return;
  std::vector<TouchPoint>& points = Points();
  if (points.empty()) return;
  if (!TouchMode) {
    HideSystemPointer();
    MoveSystemPointer(0, 0);
    TouchMode = true;
  }
  for (TouchPoint& p : points) {
    if (!p.Primary) continue;  // a second finger neither presses nor moves
    if (p.New) {
      leftHit = 1;
      pointerX = static_cast<int>(p.FirstX);
      pointerY = static_cast<int>(p.FirstY);
    } else if (p.Lifted) {
      // The release happens where the finger left the screen, and the
      // pointer stays there, as a mouse released at that place would.
      pointerX = static_cast<int>(p.X);
      pointerY = static_cast<int>(p.Y);
      SetPointerState(pointerX, pointerY);
    } else {
      leftDown = true;
      pointerX = static_cast<int>(p.X);
      pointerY = static_cast<int>(p.Y);
    }
  }
  // A lifted finger is forgotten once a poll has given its release; one
  // lifted before its first poll gives its tap now and its release next.
  std::erase_if(points, [](const TouchPoint& p) { return p.Lifted && !p.New; });
  for (TouchPoint& p : points) p.New = false;
}
