// The web page's saver: the frame driver on the page's WebGL 2 canvas, drawn by the ES renderer.
// The page's script owns the browser's events (animation frames, the canvas's size, visibility,
// the loss of the context, full screen, the settings panel, the address and what is remembered)
// and calls the functions exported here; they carry out what the core decides. The page's script
// may run this module in a worker, drawing on the canvas's OffscreenCanvas: nothing here needs
// the page's document.
#include <GLES3/gl3.h>
#include <emscripten/emscripten.h>
#include <emscripten/html5.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "driver/frame_sequence.h"
#include "driver/wake_rule.h"
#include "render/es/es_renderer.h"
#include "settings/stored_settings.h"
#include "sim/scene_build.h"
#include "web/frame_budget.h"
#include "web/page_address.h"

// Points "#saver" at the canvas the module was given (Module.canvas): an OffscreenCanvas in a
// worker has no document to be found in (page_canvas.js).
extern "C" void qw_page_canvas_target();

namespace {

// The canvas the page draws on, and its clock.
struct WebCanvas {
  EMSCRIPTEN_WEBGL_CONTEXT_HANDLE context;  // the canvas's one context, made once; 0: none
  std::int32_t width;                       // the size drawn, in pixels (pageDrawnSize)
  std::int32_t height;
  std::uint32_t tickMs;  // the seed plus the time the flock has run while the page was shown
  std::uint32_t framesDrawn;
};

struct WebSaver {
  WebCanvas canvas;
  FrameDriverState state;
  PageAddress fixed;  // the seed and the still from the address
  std::uint32_t seed;
  bool live;          // a scene is built and frames are drawn
  bool still;         // the picture is held at fixed.stillMs
  bool held;          // the picture is held where the flock is (the page asks no motion)
  bool stillShown;    // the held picture is on the canvas
  bool running;       // the clock ran at the last frame (not after a pause)
  double lastNowMs;   // the page's time at the last frame
  double runMs;       // the time the flock has run since it was built
  ClientSize device;  // the canvas's size in device pixels
  FrameBudget budget;
  WakeWatch wake;
  std::string query;
  std::uint8_t* capture;  // the last picture read back, RGBA bottom row first
  std::size_t captureBytes;
};

WebSaver saver;

WebCanvas& Canvas(void* window) { return *static_cast<WebCanvas*>(window); }

ClientSize Size(void* window) { return ClientSize{Canvas(window).width, Canvas(window).height}; }

// A browser offers no list of framebuffer configurations: the canvas's context is asked for with
// its attributes (no alpha, depth or stencil, antialiased) and the browser picks. It is made at
// the first creation and kept, since a canvas holds one context for its life; later creations
// (new settings, a context restored) draw in it again.
bool CreateContext(void* window, const SurfaceRequest&) {
  WebCanvas& canvas = Canvas(window);
  if (canvas.context <= 0) {
    qw_page_canvas_target();
    EmscriptenWebGLContextAttributes attributes;
    emscripten_webgl_init_context_attributes(&attributes);
    attributes.majorVersion = 2;
    attributes.minorVersion = 0;
    attributes.alpha = EM_FALSE;
    attributes.depth = EM_FALSE;
    attributes.stencil = EM_FALSE;
    attributes.antialias = EM_TRUE;
    canvas.context = emscripten_webgl_create_context("#saver", &attributes);
  }
  return canvas.context > 0 && !emscripten_is_webgl_context_lost(canvas.context);
}

void MakeCurrent(void* window, bool current) {
  emscripten_webgl_make_context_current(current ? Canvas(window).context : 0);
}

// The browser shows the canvas when the animation frame's script returns.
void SwapBuffers(void* window) { ++Canvas(window).framesDrawn; }

void DestroyContext(void*) {}

std::uint32_t TickCount(void* window) { return Canvas(window).tickMs; }

ContextApi Api(void*) { return ContextApi::Es3; }

// The page's one renderer: WebGL 2 has no fixed-function GL.
const RendererTable kPageRenderers{nullptr, &kEsRenderer};

const WindowSystem kWebWindowSystem{&saver.canvas, Size,           CreateContext, MakeCurrent,
                                    SwapBuffers,   DestroyContext, TickCount,     Api};

// A held flock is first shown this far into its flight, where its wires have spread.
constexpr std::uint32_t kHeldStartMs = 5000;

// Builds the scene from the seed, with the renderer in the canvas's context; a still (or a held
// flock) is run to its time in 10 ms steps, as quellwire-render runs it. False when the flock
// could not be built.
bool Build(const Settings& settings) {
  saver.canvas.tickMs = saver.seed;
  saver.runMs = 0.0;
  saver.running = false;
  saver.stillShown = false;
  frameBudgetRestart(saver.budget);
  if (!RunCreationSequence(saver.state, kWebWindowSystem, Size(&saver.canvas), settings)) {
    saver.live = false;
    return false;
  }
  const std::uint32_t until = saver.still ? saver.fixed.stillMs : saver.held ? kHeldStartMs : 0;
  for (std::uint32_t t = kFramePeriodMs; t <= until; t += kFramePeriodMs) {
    saver.canvas.tickMs = saver.seed + t;
    AdvanceFrame(saver.state, kWebWindowSystem);
  }
  if (!saver.still) saver.runMs = until;
  saver.live = true;
  return true;
}

// Gives back the renderer's objects (with GL calls while the context lives) and the scene.
void Release(bool contextLost) {
  if (contextLost) {
    RunReleaseSequenceAfterWindowLoss(saver.state, kWebWindowSystem);
  } else {
    RunReleaseSequence(saver.state, kWebWindowSystem);
  }
  saver.live = false;
}

Settings SettingsFromNumbers(const StoredSettings& stored) {
  StoredReading reading{};
  for (int i = 0; i < StoredSettingCount; ++i) reading.values[i] = {true, stored.values[i]};
  return settingsFromStored(reading);
}

// New settings: the flock starts again from the seed (once the context is back, when it is
// lost). 0: done; 2: no memory for the flock.
int Apply(const Settings& settings) {
  const bool contextLost = !saver.state.hasContext;
  Release(contextLost);
  saver.state.settings = settings;
  if (contextLost) return 0;
  return Build(settings) ? 0 : 2;
}

// Sizes the drawing for the canvas's device pixels at the budget's level.
void Resize(ClientSize device) {
  saver.device = device;
  const ClientSize drawn = pageDrawnSize(device, saver.budget.level);
  saver.canvas.width = drawn.width;
  saver.canvas.height = drawn.height;
  frameBudgetRestart(saver.budget);
  if (!saver.live) return;
  RunResizeSequence(saver.state, drawn);
  saver.stillShown = false;
}

}  // namespace

extern "C" {

// Starts the saver on the canvas "#saver" of width x height device pixels with the settings of
// the address's query, or those remembered, or the defaults; `seed` starts the clock unless the
// address gives one. 0: live; 1: no WebGL 2 context; 2: no memory for the flock.
EMSCRIPTEN_KEEPALIVE int qw_start(const char* query, const char* remembered, int width, int height,
                                  double seed) {
  Resize(ClientSize{width, height});
  saver.state.renderers = &kPageRenderers;
  saver.fixed = readPageAddress(query, std::strlen(query));
  const PageAddress memory = readPageAddress(remembered, std::strlen(remembered));
  saver.seed = saver.fixed.seedGiven ? saver.fixed.seed : static_cast<std::uint32_t>(seed);
  saver.still = saver.fixed.stillGiven;
  if (!Build(pageStartSettings(saver.fixed, memory))) return 2;
  if (!saver.state.hasContext || saver.state.renderer == nullptr) {
    Release(true);
    return 1;
  }
  return 0;
}

// One animation frame at the page's time nowMs. The clock runs by the time between shown frames;
// after a pause it takes up again where it stopped. A still or a held flock is drawn once, and
// again after a resize or a new context.
EMSCRIPTEN_KEEPALIVE void qw_frame(double nowMs) {
  if (!saver.live) return;
  if (saver.still || saver.held) {
    if (!saver.stillShown) DrawFrame(saver.state, kWebWindowSystem);
    saver.stillShown = true;
    return;
  }
  if (saver.running && nowMs > saver.lastNowMs) {
    // The tick count wraps at 2^32 ms, as every platform's does.
    saver.runMs = std::fmod(saver.runMs + (nowMs - saver.lastNowMs), 4294967296.0);
  }
  saver.lastNowMs = nowMs;
  saver.running = true;
  saver.canvas.tickMs = saver.seed + static_cast<std::uint32_t>(saver.runMs);
  RunFrame(saver.state, kWebWindowSystem);
}

// Counts a frame about to be drawn at nowMs against the frame rate: 1 when the pixels drawn
// change (the page then sizes the canvas to qw_drawn_width x qw_drawn_height), else 0.
EMSCRIPTEN_KEEPALIVE int qw_budget(double nowMs) {
  if (!saver.live || saver.still || saver.held) return 0;
  if (!frameBudgetFrame(saver.budget, nowMs)) return 0;
  Resize(saver.device);
  return 1;
}

// The page is hidden: the flock stops until the next frame.
EMSCRIPTEN_KEEPALIVE void qw_pause() {
  saver.running = false;
  frameBudgetRestart(saver.budget);
}

// 1: the flock holds still where it is (before qw_start: it first shows a few seconds into its
// flight); 0: it flies on from there.
EMSCRIPTEN_KEEPALIVE void qw_hold(int hold) {
  saver.held = hold != 0;
  saver.running = false;
  saver.stillShown = false;
  frameBudgetRestart(saver.budget);
}

// The canvas has a new size in device pixels.
EMSCRIPTEN_KEEPALIVE void qw_resize(int width, int height) { Resize(ClientSize{width, height}); }

// The size drawn, and the budget's level (0: every pixel).
EMSCRIPTEN_KEEPALIVE int qw_drawn_width() { return saver.canvas.width; }
EMSCRIPTEN_KEEPALIVE int qw_drawn_height() { return saver.canvas.height; }
EMSCRIPTEN_KEEPALIVE int qw_draw_level() { return saver.budget.level; }

// The number of one setting (by its stored index), as the store holds it.
EMSCRIPTEN_KEEPALIVE int qw_setting(int index) {
  if (index < 0 || index >= StoredSettingCount) return -1;
  return static_cast<int>(settingsToStored(saver.state.settings).values[index]);
}

// Sets one setting (by its stored index) to a number, within its limits. As Apply.
EMSCRIPTEN_KEEPALIVE int qw_set_setting(int index, int number) {
  if (index < 0 || index >= StoredSettingCount) return 0;
  StoredSettings stored = settingsToStored(saver.state.settings);
  stored.values[index] = settingsLimitStoredNumber(static_cast<StoredSettingIndex>(index),
                                                   static_cast<std::uint32_t>(number));
  return Apply(SettingsFromNumbers(stored));
}

// The settings' defaults, as the dialog's Reset shows them. As Apply.
EMSCRIPTEN_KEEPALIVE int qw_reset_settings() { return Apply(settingsDefaults()); }

// The query naming the settings in force (with the address's seed and still).
EMSCRIPTEN_KEEPALIVE const char* qw_query() {
  saver.query = pageAddressQuery(settingsToStored(saver.state.settings), saver.fixed);
  return saver.query.c_str();
}

// The context was lost: what the renderer made is forgotten without GL calls.
EMSCRIPTEN_KEEPALIVE void qw_context_lost() {
  if (saver.live) Release(true);
}

// The context is back: the renderer and the flock are made anew. As qw_start.
EMSCRIPTEN_KEEPALIVE int qw_context_restored() {
  if (saver.live) Release(false);
  if (!Build(saver.state.settings)) return 2;
  return saver.state.renderer != nullptr ? 0 : 1;
}

// Full screen begins: the pointer's next report sets its origin.
EMSCRIPTEN_KEEPALIVE void qw_watch_input() { saver.wake = WakeWatch{}; }

// Whether an input (a WakeInputKind, with the pointer's position for a move) ends full screen.
EMSCRIPTEN_KEEPALIVE int qw_input_wakes(int kind, int x, int y) {
  if (kind < 0 || kind > static_cast<int>(WakeInputKind::FocusLost)) return 0;
  const WakeInput input{static_cast<WakeInputKind>(kind), ScreenPoint{x, y}};
  return wakeWatchInput(saver.wake, input) ? 1 : 0;
}

// Whether the address holds a still.
EMSCRIPTEN_KEEPALIVE int qw_is_still() { return saver.still ? 1 : 0; }

// Frames shown since the start, the time the flock has run since it was built, and its wires.
EMSCRIPTEN_KEEPALIVE unsigned qw_frames_drawn() { return saver.canvas.framesDrawn; }
EMSCRIPTEN_KEEPALIVE double qw_run_ms() { return saver.runMs; }
EMSCRIPTEN_KEEPALIVE unsigned qw_wire_count() {
  return saver.state.scene != nullptr ? saver.state.scene->trails.count : 0;
}

// Draws the current frame again and reads it back: RGBA, bottom row first, width x height
// pixels; null when nothing could be drawn or no memory was had.
EMSCRIPTEN_KEEPALIVE const std::uint8_t* qw_capture() {
  if (!saver.live || saver.state.renderer == nullptr) return nullptr;
  const std::size_t bytes = std::size_t{4} * static_cast<std::size_t>(saver.canvas.width) *
                            static_cast<std::size_t>(saver.canvas.height);
  if (bytes != saver.captureBytes) {
    std::free(saver.capture);
    saver.capture = static_cast<std::uint8_t*>(std::malloc(bytes));
    saver.captureBytes = saver.capture != nullptr ? bytes : 0;
  }
  if (saver.capture == nullptr) return nullptr;
  DrawFrame(saver.state, kWebWindowSystem);
  glPixelStorei(GL_PACK_ALIGNMENT, 1);
  glReadPixels(0, 0, saver.canvas.width, saver.canvas.height, GL_RGBA, GL_UNSIGNED_BYTE,
               saver.capture);
  return saver.capture;
}

}  // extern "C"
