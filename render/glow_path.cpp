#include "render/glow_path.h"

#include <cctype>
#include <initializer_list>
#include <cstring>

namespace {

// Whether needle occurs in text, letters compared without regard to case.
bool containsText(const char* text, const char* needle) {
  const std::size_t length = std::strlen(needle);
  for (const char* start = text; *start != '\0'; ++start) {
    std::size_t i = 0;
    while (i < length && start[i] != '\0' &&
           std::tolower(static_cast<unsigned char>(start[i])) ==
               std::tolower(static_cast<unsigned char>(needle[i]))) {
      ++i;
    }
    if (i == length) return true;
  }
  return false;
}

bool sameText(const char* a, const char* b) {
  while (*a != '\0' && std::tolower(static_cast<unsigned char>(*a)) ==
                           std::tolower(static_cast<unsigned char>(*b))) {
    ++a;
    ++b;
  }
  return *a == '\0' && *b == '\0';
}

}  // namespace

GlowBlurRequest glowBlurRequestFromText(const char* text) {
  if (text == nullptr) return GlowBlurRequest::Automatic;
  if (sameText(text, "gl")) return GlowBlurRequest::Gl;
  if (sameText(text, "cpu")) return GlowBlurRequest::Software;
  return GlowBlurRequest::Automatic;
}

bool isSoftwareRenderer(const char* renderer) {
  if (renderer == nullptr) return false;
  for (const char* name : {"llvmpipe", "softpipe", "Software Rasterizer", "GDI Generic"}) {
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
