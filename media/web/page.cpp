// The web page around the game (see page.h).
#include "media/web/page.h"

#include <emscripten.h>
#include <emscripten/html5.h>

namespace {
bool inputSeen = false;
}  // namespace

namespace web_page {

void SetTitle(const char* title) {
  EM_ASM({ document.title = UTF8ToString($0); }, title);
}

void ViewportSize(int& width, int& height) {
  width = EM_ASM_INT({ return window.innerWidth; });
  height = EM_ASM_INT({ return window.innerHeight; });
  if (width <= 0 || height <= 0) {
    width = 1024;
    height = 768;
  }
}

void FitCanvas() {
  EM_ASM({
    var canvas = document.getElementById('canvas');
    var fit = function() {
      if (!canvas.width || !canvas.height) return;
      var scale = Math.min(window.innerWidth / canvas.width, window.innerHeight / canvas.height);
      if (!(scale > 0)) scale = 1;
      canvas.style.width = Math.floor(canvas.width * scale) + 'px';
      canvas.style.height = Math.floor(canvas.height * scale) + 'px';
    };
    fit();
    // A window resized, a phone turned: the canvas follows.
    if (!Module.plimoFitting) {
      Module.plimoFitting = true;
      window.addEventListener('resize', fit);
      window.addEventListener('orientationchange', fit);
    }
  });
}

void RequestFullScreen(bool on) {
  // Browsers allow full screen only from within an input's handling: the
  // request waits for the next one.
  if (on)
    emscripten_request_fullscreen("#canvas", EM_TRUE);
  else
    emscripten_exit_fullscreen();
}

void CanvasPixels(double clientX, double clientY, int& x, int& y) {
  const double cssX = clientX - EM_ASM_DOUBLE({ return document.getElementById('canvas').getBoundingClientRect().left; });
  const double cssY = clientY - EM_ASM_DOUBLE({ return document.getElementById('canvas').getBoundingClientRect().top; });
  double w = 0, h = 0;
  emscripten_get_element_css_size("#canvas", &w, &h);
  int pw = 0, ph = 0;
  emscripten_get_canvas_element_size("#canvas", &pw, &ph);
  x = w > 0 ? static_cast<int>(cssX * pw / w) : static_cast<int>(cssX);
  y = h > 0 ? static_cast<int>(cssY * ph / h) : static_cast<int>(cssY);
}

void FramePresented() {
  EM_ASM({
    if (!Module.plimoPresented) Module.plimoFirstFrame = performance.now();
    Module.plimoPresented = (Module.plimoPresented || 0) + 1;
  });
}

void ShowNote(const char* text) {
  EM_ASM({
    var note = document.getElementById('note');
    var line = document.createElement('div');
    line.textContent = UTF8ToString($0);
    if (note) note.appendChild(line);
    console.log('pLiMo: ' + line.textContent);
  }, text);
}

bool InputSeen() { return inputSeen; }

void NoteInput() { inputSeen = true; }

}  // namespace web_page
