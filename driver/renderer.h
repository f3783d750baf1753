// The renderer seam: drawing a frame (the wires, their trails, the glow pass with either blur
// path, the -fps figures) goes through one record of functions, as the window system does. The
// frame sequences call it in a fixed order: create once a context is current, resize when the
// window's size changes, draw once per frame, release before (or, when the window went first,
// after) the context goes. Each renderer draws through a record of its own.
#pragma once

#include <cstdint>

#include "driver/context_api.h"
#include "render/glow_path.h"
#include "settings/glow_and_color.h"
#include "sim/scene.h"

struct Renderer;

// The renderers a program links, one for each kind of context; null where it links none, and the
// frames of such a context are shown empty. A window whose context could not be made draws with
// the desktop renderer, whose calls then reach no context and do nothing.
struct RendererTable {
  const Renderer* desktopGl;  // OpenGL 1.1, fixed function (render/gl11/)
  const Renderer* es3;        // shaders on OpenGL ES 3.0, within what WebGL 2 offers (render/es/)
};

// The renderer a context gets from what the window system made.
const Renderer* chooseRenderer(const RendererTable& table, bool contextMade, ContextApi api);

// What a renderer is made for: the window's size and glow mode, where the halo is to be
// blurred (the program's request; the renderer settles it with its GL_RENDERER), and whether
// the GL 1.1 renderer keeps the calls and sizes the Windows saver makes.
struct RendererSetup {
  std::int32_t width;
  std::int32_t height;
  GlowMode glowMode;
  GlowBlurRequest blurRequest;
  bool keepGl11Calls;
};

// One frame to draw: the scene (null when it could not be built: only the clear is drawn), the
// picture's size and, when showFps, the frame rate shown in the bottom-left corner.
struct RenderedFrame {
  const Scene* scene;
  std::int32_t width;
  std::int32_t height;
  bool showFps;
  double framesPerSecond;
};

struct Renderer {
  // Makes what drawing needs in the current context and sets its initial state. `record` comes
  // in as the frame driver's glow textures; a renderer with a record of its own puts it there.
  // False when it could not make what it needs: the record is then released and frames draw
  // nothing.
  bool (*create)(void*& record, const RendererSetup& setup);
  // The window has a new size (the context is current): the drawing adopts it.
  void (*resize)(void* record, const RendererSetup& setup);
  // Draws one frame into the current context's picture, not yet shown.
  void (*draw)(void* record, const RenderedFrame& frame);
  // Gives back what create made. With contextCurrent the GL objects are deleted first; without,
  // the context is already gone and no GL call is made. `record` comes back as the frame
  // driver's glow textures, zeroed, or null.
  void (*release)(void*& record, bool contextCurrent);
};
