#include "render/glow_path.h"

#include <strings.h>

#include <cstring>
#include <initializer_list>

namespace {

// Whether needle occurs in text, letters compared without regard to case.
bool containsText(const char* text, const char* needle) {
  const std::size_t length = std::strlen(needle);
  for (const char* start = text; *start != '\0'; ++start) {
    if (strncasecmp(start, needle, length) == 0) return true;
  }
  return false;
}

}  // namespace

GlowBlurRequest glowBlurRequestFromText(const char* text) {
  if (text == nullptr) return GlowBlurRequest::Automatic;
  if (strcasecmp(text, "gl") == 0) return GlowBlurRequest::Gl;
  if (strcasecmp(text, "cpu") == 0) return GlowBlurRequest::Software;
  return GlowBlurRequest::Automatic;
}

bool isSoftwareRenderer(const char* renderer) {
  if (renderer == nullptr) return false;
  for (const char* name : {"llvmpipe", "softpipe", "Software Rasterizer", "GDI Generic",
                           "SwiftShader", "Basic Render Driver"}) {
    if (containsText(renderer, name)) return true;
  }
  return false;
}

GlowBlurPath chooseGlowBlurPath(GlowBlurRequest request, bool softwareRenderer) {
  switch (request) {
    case GlowBlurRequest::Gl:
      return GlowBlurPath::Gl;
    case GlowBlurRequest::Software:
      return GlowBlurPath::Software;
    case GlowBlurRequest::Automatic:
      break;
  }
  return softwareRenderer ? GlowBlurPath::Software : GlowBlurPath::Gl;
}
