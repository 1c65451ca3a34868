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
  // One visit to the page per event: the canvas's place and shown size
  // against its pixels.
  EM_ASM(
      {
        var canvas = document.getElementById('canvas');
        var box = canvas.getBoundingClientRect();
        var sx = box.width > 0 ? canvas.width / box.width : 1;
        var sy = box.height > 0 ? canvas.height / box.height : 1;
        HEAP32[$2 >> 2] = Math.trunc(($0 - box.left) * sx);
        HEAP32[$3 >> 2] = Math.trunc(($1 - box.top) * sy);
      },
      clientX, clientY, &x, &y);
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
