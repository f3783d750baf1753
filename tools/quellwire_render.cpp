// quellwire-render: runs the saver's own creation and frame sequences headless, on OSMesa (or
// with the ES renderer on an EGL context without a surface), for
// the given settings and seed (the clock's start tick, which seeds the random numbers), advances
// the clock 10 ms per frame for the given time and writes the final frame, and optionally every
// K-th frame, as PNG files. Bad arguments give the usage line on stderr and status 2.
#include <cstdio>
#include <vector>

#include "driver/frame_sequence.h"
#include "driver/headless/osmesa_window_system.h"
#include <cstdlib>
#include "sim/scene_build.h"
#include "tools/png_file.h"
#include "tools/render_options.h"

namespace {

constexpr std::uint32_t kFrameStepMs = 10;

bool writeFrame(const HeadlessWindow& window, const std::string& path,
                std::vector<std::uint8_t>& rows) {
  if (pngWriteBottomUpRgba(path.c_str(), window.pixels, window.surfaceWidth, window.surfaceHeight,
                           rows)) {
    return true;
  }
  std::fprintf(stderr, "quellwire-render: cannot write %s\n", path.c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  RenderOptions options;
  if (!renderParseOptions(argc - 1, argv + 1, options)) {
    std::fprintf(stderr, "%s\n", kRenderUsage);
    return 2;
  }
  HeadlessWindow window{};
  if (!HeadlessWindowOpen(window, options.scene.width, options.scene.height, &HeadlessSurfaceFormat,
                          1)) {
    std::fprintf(stderr, "quellwire-render: no memory for a %dx%d picture\n", options.scene.width,
                 options.scene.height);
    return 1;
  }
  window.tickMs = options.scene.seed;
  window.api = options.es ? ContextApi::Es3 : ContextApi::DesktopGl;
  const WindowSystem system = HeadlessWindowSystem(window);
  FrameDriverState state{};
  state.renderers = &kHeadlessRenderers;
  state.blurRequest = glowBlurRequestFromText(std::getenv(kGlowBlurVariable));
  const ClientSize size{options.scene.width, options.scene.height};
  if (!RunCreationSequence(state, system, size, traceSettings(options.scene)) ||
      !state.hasContext) {
    std::fprintf(stderr, "quellwire-render: the scene or the GL context could not be made\n");
    HeadlessWindowClose(window);
    return 1;
  }

  std::vector<std::uint8_t> rows;
  bool written = true;
  const std::uint32_t frames = options.timeMs / kFrameStepMs;
  for (std::uint32_t frame = 1; frame <= frames && written; ++frame) {
    window.tickMs += kFrameStepMs;
    RunFrame(state, system);
    if (options.every != 0 && frame % options.every == 0) {
      written = writeFrame(window, renderFrameFileName(options.output, frame), rows);
    }
  }
  written = written && writeFrame(window, options.output, rows);
  RunReleaseSequence(state, system);
  HeadlessWindowClose(window);
  return written ? 0 : 1;
}
