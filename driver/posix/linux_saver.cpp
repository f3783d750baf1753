#include "driver/posix/linux_saver.h"

#include <cstdio>
#include <cstdlib>
#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "render/es/es_renderer.h"
#include "render/gl11/gl11_renderer.h"

const RendererTable kLinuxRenderers{&kGl11Renderer, &kEsRenderer};

void LinuxFrameDriverSetup(FrameDriverState& state, bool showFps) {
  state.renderers = &kLinuxRenderers;
  state.showFps = showFps;
  state.blurRequest = glowBlurRequestFromText(std::getenv(kGlowBlurVariable));
}

void KeepHeapBetweenFrames() {
#ifdef __GLIBC__
  mallopt(M_MMAP_THRESHOLD, 32 << 20);
  mallopt(M_TRIM_THRESHOLD, 64 << 20);
#endif
}

int ReportNoFlock() {
  std::fprintf(stderr, "quellwire: no memory for the flock\n");
  return 1;
}

bool FrameLimitReached(FrameLimit& limit) {
  return limit.limit != 0 && ++limit.frames >= limit.limit;
}
