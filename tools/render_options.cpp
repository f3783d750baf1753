#include "tools/render_options.h"

#include <cstdio>
#include <cstring>

const char kRenderUsage[] =
    "usage: quellwire-render [--seed N] [--time-ms T] [--every K] [--output FILE.png] "
    "[--quantity P] [--size P] [--speed P] [--glow G] [--color C] [--symmetry S] [--width W] "
    "[--height H] [--renderer gl|es]";

namespace {

constexpr char kPngSuffix[] = ".png";

bool endsWithPng(const std::string& name) {
  const std::size_t suffix = sizeof kPngSuffix - 1;
  return name.size() > suffix && name.compare(name.size() - suffix, suffix, kPngSuffix) == 0;
}

}  // namespace

bool renderParseOptions(int argc, const char* const* argv, RenderOptions& options) {
  options = RenderOptions{traceDefaultOptions(), 3000, 0, "quellwire.png", false};
  options.scene.seed = 1;
  for (int k = 0; k < argc; k += 2) {
    if (k + 1 >= argc) return false;
    const char* name = argv[k];
    const char* value = argv[k + 1];
    bool valid = false;
    if (std::strcmp(name, "--time-ms") == 0) {
      valid = traceParseWholeNumber(value, UINT32_MAX, options.timeMs);
    } else if (std::strcmp(name, "--every") == 0) {
      valid = traceParseWholeNumber(value, UINT32_MAX, options.every);
    } else if (std::strcmp(name, "--output") == 0) {
      options.output = value;
      valid = endsWithPng(options.output);
    } else if (std::strcmp(name, "--renderer") == 0) {
      options.es = std::strcmp(value, "es") == 0;
      valid = options.es || std::strcmp(value, "gl") == 0;
    } else {
      valid = traceParseSceneOption(name, value, options.scene) == SceneOptionResult::Accepted;
    }
    if (!valid) return false;
  }
  const TraceOptions& scene = options.scene;
  return scene.width >= 1 && scene.width <= kRenderMaxSide && scene.height >= 1 &&
         scene.height <= kRenderMaxSide;
}

std::string renderFrameFileName(const std::string& output, std::uint32_t frame) {
  char number[16];
  std::snprintf(number, sizeof number, "-%06u", static_cast<unsigned>(frame));
  return output.substr(0, output.size() - (sizeof kPngSuffix - 1)) + number + kPngSuffix;
}
