#!/usr/bin/python3
"""The browser version played in headless Chromium, driven through the
DevTools protocol: a new player follows the script the desktop reference
wrote (tests/web/reference.cpp), and the screens and the player's files are
compared with the desktop's. Prints the download size, the first frame's
time and the frame times.

usage: browser_play.py WEB_BUILD_DIR REFERENCE_DIR OUTPUT_DIR
"""
import base64
import functools
import gzip
import http.server
import io
import json
import os
import shutil
import socketserver
import subprocess
import sys
import tempfile
import threading
import time
import urllib.request

import websocket
from PIL import Image, ImageChops, ImageStat

WIDTH, HEIGHT = 1280, 800  # the browser window: the reference's desktop
MEAN_LIMIT = 2.0  # mean difference per channel allowed between the drawings
DATA = '/home/web_user/.local/share/pLiMo/'


class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


def serve(folder):
    server = socketserver.ThreadingTCPServer(('127.0.0.1', 0), functools.partial(Quiet, directory=folder))
    server.daemon_threads = True
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return server


class Browser:
    """One headless Chromium with one page, spoken to over its socket."""

    def __init__(self, profile):
        self.process = subprocess.Popen(
            ['chromium', '--headless', '--no-sandbox', '--remote-debugging-port=0', '--remote-allow-origins=*',
             '--user-data-dir=' + profile,
             '--use-gl=swiftshader', '--enable-unsafe-swiftshader', '--ignore-gpu-blocklist',
             '--autoplay-policy=user-gesture-required', '--window-size=%d,%d' % (WIDTH, HEIGHT), 'about:blank'],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        port_file = os.path.join(profile, 'DevToolsActivePort')
        for _ in range(300):
            if os.path.exists(port_file) and open(port_file).read().strip():
                break
            time.sleep(0.1)
        port = open(port_file).read().split()[0]
        pages = json.load(urllib.request.urlopen('http://127.0.0.1:%s/json' % port))
        page = [p for p in pages if p['type'] == 'page'][0]
        # Chromium refuses a debugging client that names an origin it was not
        # told to allow: the client sends none.
        self.socket = websocket.create_connection(page['webSocketDebuggerUrl'], timeout=120,
                                                  suppress_origin=True)
        self.serial = 0
        self.errors = []
        self.call('Runtime.enable')
        self.call('Page.enable')
        self.call('Emulation.setDeviceMetricsOverride', width=WIDTH, height=HEIGHT, deviceScaleFactor=1,
                  mobile=False)
        self.call('Emulation.setTouchEmulationEnabled', enabled=True, maxTouchPoints=5)

    def call(self, method, **params):
        self.serial += 1
        self.socket.send(json.dumps({'id': self.serial, 'method': method, 'params': params}))
        while True:
            message = json.loads(self.socket.recv())
            if message.get('method') == 'Runtime.exceptionThrown':
                self.errors.append(message['params']['exceptionDetails'].get('text', ''))
            if message.get('id') == self.serial:
                if 'error' in message:
                    raise RuntimeError('%s: %s' % (method, message['error']))
                return message.get('result', {})

    def eval(self, expression):
        result = self.call('Runtime.evaluate', expression=expression, returnByValue=True, awaitPromise=True)
        if 'exceptionDetails' in result:
            raise RuntimeError('%s: %s' % (expression, result['exceptionDetails']))
        return result['result'].get('value')

    def wait_for(self, expression, seconds):
        end = time.time() + seconds
        while time.time() < end:
            try:
                if self.eval(expression):
                    return True
            except RuntimeError:  # the page is changing
                pass
            time.sleep(0.02)
        return False

    def close(self):
        self.process.terminate()
        self.process.wait()


def canvas_point(browser, x, y):
    """Page coordinates of canvas pixel (x, y)."""
    return browser.eval(
        '(function(){var c=document.getElementById("canvas"),r=c.getBoundingClientRect();'
        'return [r.left+(%d+0.5)*r.width/c.width, r.top+(%d+0.5)*r.height/c.height];})()' % (x, y))


KEYS = {  # DOM key, code and key code of the keys the script presses
    'Enter': ('Enter', 'Enter', 13), 'Escape': ('Escape', 'Escape', 27),
    'ArrowLeft': ('ArrowLeft', 'ArrowLeft', 37), 'ArrowUp': ('ArrowUp', 'ArrowUp', 38),
    'ArrowRight': ('ArrowRight', 'ArrowRight', 39), 'ArrowDown': ('ArrowDown', 'ArrowDown', 40),
    'Shift': ('Shift', 'ShiftLeft', 16),
}


def frames(browser, count, milliseconds=0):
    """Waits until the game has run `count` more frames, and at least as
    long as given: the desktop reference runs a frame per 16 ms of its
    clock, a loaded browser may run fewer."""
    start = browser.eval('Module.plimoFrames || 0')
    end = time.time() + milliseconds / 1000
    if not browser.wait_for('(Module.plimoFrames || 0) >= %d' % (start + count), 120):
        raise RuntimeError('the game stopped running frames')
    if time.time() < end:
        time.sleep(end - time.time())


def press(browser, name):
    key, code, number = KEYS[name]
    for kind in ('rawKeyDown', 'keyUp'):
        browser.call('Input.dispatchKeyEvent', type=kind, key=key, code=code, windowsVirtualKeyCode=number)
    frames(browser, 1)


def click(browser, x, y):
    px, py = canvas_point(browser, x, y)
    browser.call('Input.dispatchMouseEvent', type='mouseMoved', x=px, y=py)
    browser.call('Input.dispatchMouseEvent', type='mousePressed', x=px, y=py, button='left', clickCount=1)
    frames(browser, 1)
    browser.call('Input.dispatchMouseEvent', type='mouseReleased', x=px, y=py, button='left', clickCount=1)
    frames(browser, 1)


def touch_drag(browser, x0, y0, x1, y1):
    ax, ay = canvas_point(browser, x0, y0)
    bx, by = canvas_point(browser, x1, y1)
    browser.call('Input.dispatchTouchEvent', type='touchStart', touchPoints=[{'x': ax, 'y': ay, 'id': 1}])
    time.sleep(0.1)
    for step in range(1, 6):
        t = step / 5
        point = {'x': ax + (bx - ax) * t, 'y': ay + (by - ay) * t, 'id': 1}
        browser.call('Input.dispatchTouchEvent', type='touchMove', touchPoints=[point])
        time.sleep(0.05)
    browser.call('Input.dispatchTouchEvent', type='touchEnd', touchPoints=[])
    time.sleep(0.1)


def canvas_image(browser):
    data = browser.eval('document.getElementById("canvas").toDataURL("image/png")')
    return Image.open(io.BytesIO(base64.b64decode(data.split(',', 1)[1]))).convert('RGB')


def mean_difference(a, b):
    if a.size != b.size:
        return float('inf')
    return sum(ImageStat.Stat(ImageChops.difference(a, b)).mean) / 3


def player_file(browser, name):
    return browser.eval('(function(){try{return Array.from(Module.plimoFS.readFile("%s"));}'
                        'catch(e){return null;}})()' % (DATA + name))


def load(browser, address):
    start = time.time()
    browser.call('Page.navigate', url=address)
    if not browser.wait_for('typeof Module !== "undefined" && (Module.plimoPresented > 0 || !!Module.plimoFailed)',
                            60):
        raise RuntimeError('no frame within a minute')
    if browser.eval('!!Module.plimoFailed'):
        raise RuntimeError('the game did not start: ' + str(browser.eval('document.getElementById("note").innerText')))
    # The first frame drawn after the start: the page's own clock, from the
    # navigation.
    return browser.eval('Module.plimoFirstFrame'), time.time() - start


def wait_for_tab(browser, seconds):
    """A new tab showing the help page (an address of the page's own
    bytes); it is closed again."""
    end = time.time() + seconds
    while time.time() < end:
        for target in browser.call('Target.getTargets')['targetInfos']:
            if target['type'] == 'page' and target['url'].startswith('blob:'):
                browser.call('Target.closeTarget', targetId=target['targetId'])
                print('help page: opened in a new tab')
                return True
        time.sleep(0.1)
    return False


AL_PLAYING = 0x1012
SOUND = ('(function(){var c = AL.currentCtx; if (!c) return null; var playing = false;'
         'for (var k in c.sources) playing = playing || c.sources[k].state == %d;'
         'return [c.audioCtx.state, playing];})()' % AL_PLAYING)
CANVAS_BOX = ('(function(){var c = document.getElementById("canvas"), r = c.getBoundingClientRect();'
              'return [r.width, r.height, c.width, c.height, innerWidth, innerHeight];})()')
HIDE = ('(function(hidden){Object.defineProperty(document, "hidden", {configurable: true, get: function(){return hidden;}});'
        'Object.defineProperty(document, "visibilityState", {configurable: true,'
        ' get: function(){return hidden ? "hidden" : "visible";}});'
        'document.dispatchEvent(new Event("visibilitychange"));})(%s)')


def check_capabilities(browser, address):
    """What a player meets beyond the script: sound that starts with the
    first input (the browser allows none before), a window resized or a
    phone turned, a tab hidden and shown again."""
    failures = []
    load(browser, address)  # the main menu, before any input
    frames(browser, 10, 300)
    before = browser.eval(SOUND)
    press(browser, 'Shift')
    # The music's first buffers may take a few frames on a loaded machine.
    for _ in range(10):
        frames(browser, 10, 500)
        after = browser.eval(SOUND)
        if after == ['running', True]:
            break
    if before is None or before[1] or after is None or after != ['running', True]:
        failures.append('sound before and after the first input: %s, %s (sources: %s)' %
                        (before, after, browser.eval('Object.keys(AL.currentCtx.sources).length')))
    else:
        print('sound: silent before the first input (%s), playing after it' % before[0])

    # The canvas keeps the game's proportions and fits every window.
    for width, height, mobile in ((360, 640, True), (640, 360, True), (2560, 1440, False), (WIDTH, HEIGHT, False)):
        browser.call('Emulation.setDeviceMetricsOverride', width=width, height=height, deviceScaleFactor=1,
                     mobile=mobile)
        frames(browser, 5, 300)
        shown_w, shown_h, canvas_w, canvas_h, inner_w, inner_h = browser.eval(CANVAS_BOX)
        fits = shown_w <= inner_w + 0.5 and shown_h <= inner_h + 0.5 and \
            max(shown_w / inner_w, shown_h / inner_h) > 0.98 and \
            abs(shown_w / shown_h - canvas_w / canvas_h) < 0.02 * canvas_w / canvas_h
        if not fits:
            failures.append('a %dx%d window shows the %dx%d canvas at %.0fx%.0f' %
                            (width, height, canvas_w, canvas_h, shown_w, shown_h))
        else:
            print('window %dx%d: canvas shown at %.0fx%.0f' % (width, height, shown_w, shown_h))

    # A hidden tab saves the profile at once (the page may never be shown
    # again); shown again, the game goes on.
    profile = DATA + 'pLiMo_User_Profile.txt'
    written = browser.eval('(function(){Module.plimoFS.utime("%s", 0, 0); %s;'
                           'return Module.plimoFS.stat("%s").mtime.getTime() > 0;})()' % (profile, HIDE % 'true', profile))
    browser.eval(HIDE % 'false')
    ran = browser.eval('Module.plimoFrames')
    frames(browser, 5, 200)
    went_on = browser.eval('Module.plimoFrames') - ran
    if not written or went_on <= 0:
        failures.append('hiding the tab: profile saved %s, %d frames after' % (written, went_on))
    else:
        print('hidden tab: the profile saved at once, and the game went on when shown')
    return failures


# A game controller as the Gamepad API shows one: standard mapping, its
# buttons pressed by the test.
PAD = ('window.testPad = {id: "Test pad", index: 0, connected: true, mapping: "standard", timestamp: 0,'
       ' axes: [0, 0, 0, 0], buttons: Array.from({length: 17}, function() {'
       ' return {pressed: false, touched: false, value: 0}; })};'
       'Object.defineProperty(Navigator.prototype, "getGamepads", {configurable: true,'
       ' value: function() { return [window.testPad]; }}); true;')
PAD_BUTTON = 'testPad.buttons[%d].pressed = %s; testPad.buttons[%d].value = %d; testPad.timestamp++;'
PAD_A, PAD_RIGHT = 0, 15


def check_gamepad(address):
    """A controller plays as the keyboard: a new player's flag screen shows
    the focus at the d-pad's first press, and A picks the flag (the tutorial
    opens). A browser of its own, with no files yet."""
    profile = tempfile.mkdtemp(prefix='plimo-chromium-')
    browser = Browser(profile)
    try:
        load(browser, address)
        frames(browser, 10, 300)
        browser.eval(PAD)
        screens = [canvas_image(browser)]
        for button in (PAD_RIGHT, PAD_A):
            for down in (True, False):
                browser.eval(PAD_BUTTON % (button, 'true' if down else 'false', button, down))
                frames(browser, 3, 100)
            frames(browser, 60, 1500)
            screens.append(canvas_image(browser))
        errors = browser.errors
    finally:
        browser.close()
        shutil.rmtree(profile, ignore_errors=True)
    if errors:
        return ['errors in the page played by a pad: %s' % errors]
    focus, picked = mean_difference(screens[0], screens[1]), mean_difference(screens[1], screens[2])
    if focus <= 0 or picked < 10:
        return ['the pad\'s d-pad and A changed the flag screen by %.2f and %.2f' % (focus, picked)]
    print('gamepad: the d-pad showed the focus (%.2f), A picked a flag (%.2f)' % (focus, picked))
    return []


def check_full_screen(address):
    """A player who chose full screen: the next visit asks for it and the
    browser grants it at the first key (never without an input). A browser
    of its own: a new player picks a flag, the game is paused and its
    profile edited as the Screen menu's "Full" would leave it, then the
    browser is killed and started again on the same storage."""
    profile = tempfile.mkdtemp(prefix='plimo-chromium-')
    browser = Browser(profile)
    fullscreen = 'document.fullscreenElement ? document.fullscreenElement.id : ""'
    try:
        load(browser, address)
        frames(browser, 10, 300)
        click(browser, 300, 380)  # a flag
        frames(browser, 10, 2500)
        path = DATA + 'pLiMo_User_Profile.txt'
        browser.eval('Module.pauseMainLoop(); 1')
        text = browser.eval('Module.plimoFS.readFile("%s", {encoding: "utf8"})' % path)
        browser.eval('Module.plimoFS.writeFile("%s", %s)' % (path, json.dumps(
            text.replace('"Screen Mode" = 0', '"Screen Mode" = 2'))))
        browser.eval('new Promise(function(done) { Module.plimoFS.syncfs(false, done); }).then(function() { return 1; })')
        time.sleep(1)
        browser.process.kill()
        browser.process.wait()
        os.remove(os.path.join(profile, 'DevToolsActivePort'))
        browser = Browser(profile)
        load(browser, address)
        frames(browser, 10, 300)
        before = browser.eval(fullscreen)
        press(browser, 'Enter')
        frames(browser, 10, 300)
        after = browser.eval(fullscreen)
        errors = browser.errors
    finally:
        browser.close()
        shutil.rmtree(profile, ignore_errors=True)
    if errors or before or after != 'canvas':
        return ['full screen: "%s" before any input, "%s" after a key; errors %s' % (before, after, errors)]
    print('full screen: asked for at the start, granted at the first key')
    return []


# Pages whose browser lacks something: its storage (a private window that
# refuses IndexedDB), WebGL 2.
FAULTS = [
    ('Object.defineProperty(window, "indexedDB", {value: null});', 'will not be kept', True),
    ('HTMLCanvasElement.prototype.getContext = function() { return null; };', 'needs WebGL 2', False),
]


def check_faults(browser, address):
    """The game plays on without storage and says so once; without WebGL the
    page says why nothing plays."""
    failures = []
    for script, message, plays in FAULTS:
        added = browser.call('Page.addScriptToEvaluateOnNewDocument', source=script)['identifier']
        browser.call('Page.navigate', url=address)
        note = 'document.getElementById("note").innerText'
        if not browser.wait_for('%s.indexOf("%s") >= 0' % (note, message), 30):
            failures.append('no message "%s" in the page' % message)
        elif plays and not browser.wait_for('Module.plimoPresented > 0', 30):
            failures.append('the game does not play with "%s"' % message)
        elif browser.eval('%s.split("%s").length' % (note, message)) != 2:
            failures.append('"%s" said more than once' % message)
        else:
            print('fault: "%s" shown' % message)
        browser.call('Page.removeScriptToEvaluateOnNewDocument', identifier=added)
    return failures


def main():
    build, reference, out = sys.argv[1:4]
    os.makedirs(out, exist_ok=True)
    failures = []
    sizes = {name: os.path.getsize(os.path.join(build, name)) for name in ('index.html', 'plimo.js', 'plimo.wasm')}
    packed = sum(len(gzip.compress(open(os.path.join(build, n), 'rb').read(), 9)) for n in sizes)
    print('download: %.2f MB (%.2f MB compressed)' % (sum(sizes.values()) / 1e6, packed / 1e6))

    server = serve(build)
    address = 'http://127.0.0.1:%d/index.html' % server.server_address[1]
    profile = tempfile.mkdtemp(prefix='plimo-chromium-')
    browser = Browser(profile)
    try:
        first, _ = load(browser, address)
        print('first frame: %.0f ms from navigation' % first)
        for line in open(os.path.join(reference, 'script.txt')):
            word = line.split()
            if not word:
                continue
            if word[0] == 'wait':
                frames(browser, int(word[1]) // 16, int(word[1]))
            elif word[0] == 'key':
                press(browser, word[1])
            elif word[0] == 'click':
                click(browser, int(word[1]), int(word[2]))
            elif word[0] == 'touch':
                touch_drag(browser, *map(int, word[1:5]))
                time.sleep(0.3)
            elif word[0] == 'shot':
                seen = canvas_image(browser)
                seen.save(os.path.join(out, word[1] + '.png'))
                desktop = Image.open(os.path.join(reference, word[1] + '.png')).convert('RGB')
                difference = mean_difference(seen, desktop)
                print('screen %s: mean difference %.2f per channel' % (word[1], difference))
                if word[1] in ('flags', 'menu', 'level', 'pasted') and not difference < MEAN_LIMIT:
                    failures.append('the %s screen differs from the desktop drawing (%.2f)' % (word[1], difference))
            elif word[0] == 'file':
                # The browser may take longer to get there (an explosion's
                # last fragments, a slow machine): up to twenty seconds.
                for _ in range(100):
                    seen = player_file(browser, word[1])
                    if seen is not None:
                        break
                    time.sleep(0.2)
                desktop = list(open(os.path.join(reference, word[2] + '.bin'), 'rb').read())
                if seen is None:
                    failures.append('%s is missing in the browser' % word[1])
                    continue
                if word[2] == 'scores':  # the seconds played differ
                    seen[8:10] = desktop[8:10] = [0, 0]
                if seen != desktop:
                    failures.append('%s differs from the desktop: %s != %s' % (word[1], seen, desktop))
                else:
                    print('file %s: the same as on the desktop' % word[1])
            elif word[0] == 'still':
                # Two seconds of a screen left alone: no more frames drawn
                # than on the desktop (one spare for a late event).
                presented = browser.eval('Module.plimoPresented')
                time.sleep(2)
                drawn = browser.eval('Module.plimoPresented') - presented
                print('still screen: %d frames drawn in 2 s (desktop: %s)' % (drawn, word[1]))
                if drawn > int(word[1]) + 1:
                    failures.append('a still screen drew %d frames in 2 s (desktop: %s)' % (drawn, word[1]))
            elif word[0] == 'helptab':
                # The help page opens in a tab of its own, from the page's bytes.
                if not wait_for_tab(browser, 10):
                    failures.append('the help page did not open in a new tab')
            elif word[0] == 'paste':
                # Ctrl+V over the page: the browser's paste event brings the
                # clipboard's text.
                browser.call('Input.dispatchKeyEvent', type='rawKeyDown', key='Control', code='ControlLeft',
                             windowsVirtualKeyCode=17, modifiers=2)
                browser.eval('(function(){var d = new DataTransfer(); d.setData("text/plain", "%s");'
                             'window.dispatchEvent(new ClipboardEvent("paste", {clipboardData: d}));})()' % word[1])
                browser.call('Input.dispatchKeyEvent', type='keyUp', key='Control', code='ControlLeft',
                             windowsVirtualKeyCode=17)
                frames(browser, 1)
            elif word[0] == 'put':
                # A player's file written into the page's storage, as the
                # desktop has it.
                data = list(open(os.path.join(reference, word[2] + '.bin'), 'rb').read())
                browser.eval('Module.plimoFS.writeFile("%s", new Uint8Array(%s))' % (DATA + word[1], data))
            elif word[0] == 'frametimes':
                # The frames' own work on this screen, three seconds of them:
                # a figure to read (a loaded machine slows it), not a verdict.
                browser.eval('Module.plimoFrameTimes = []')
                time.sleep(3)
                drawn = sorted(t for t in browser.eval('Module.plimoFrameTimes') if t > 0)
                if not drawn:
                    failures.append('no frame ran on the fullest board')
                    continue
                median = drawn[len(drawn) // 2]
                print('fullest board: frame time median %.2f ms, 95th percentile %.2f ms over %d frames' %
                      (median, drawn[int(len(drawn) * 0.95)], len(drawn)))
            elif word[0] == 'reload':
                # The page closed and opened again: its files come back from
                # the browser's storage.
                # The profile is saved every two seconds of play.
                time.sleep(2.5)
                browser.wait_for('!Module.plimoStoring', 10)
                load(browser, address)
        failures += check_capabilities(browser, address)
        failures += check_faults(browser, address)
        if browser.errors:
            failures.append('errors in the page: %s' % browser.errors)
    finally:
        browser.close()
        shutil.rmtree(profile, ignore_errors=True)
    try:
        failures += check_gamepad(address)
        failures += check_full_screen(address)
    finally:
        server.shutdown()
    for failure in failures:
        print('FAILED: ' + failure)
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
