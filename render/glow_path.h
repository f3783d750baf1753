// Where the halo is blurred: by drawing shifted copies of the blur square with GL, or on the
// processor (render/software_blur) when the renderer is a software one, which draws each
// textured copy of a large square far slower than the processor computes it.
#pragma once

#include <cstdint>

enum class GlowBlurPath : std::uint8_t {
  Gl = 0,
  Software = 1,
};

// What the environment variable QUELLWIRE_BLUR asks: "gl" or "cpu" force a path (for tests and
// measurements); anything else, or nothing, leaves the choice to the renderer.
enum class GlowBlurRequest : std::uint8_t {
  Automatic = 0,
  Gl = 1,
  Software = 2,
};

inline constexpr const char* kGlowBlurVariable = "QUELLWIRE_BLUR";

// The request a value of QUELLWIRE_BLUR makes, in any case; a null value is Automatic.
GlowBlurRequest glowBlurRequestFromText(const char* text);

// True when GL_RENDERER names a renderer that draws on the processor: Mesa's llvmpipe, softpipe
// and swrast ("Software Rasterizer"), also where a layer above them names them, Windows' own
// generic implementation ("GDI Generic") and, for browsers, Google's SwiftShader and Windows'
// Basic Render Driver; letters compared without regard to case. A null text names none.
bool isSoftwareRenderer(const char* renderer);

// The path to take. A forced path is taken; otherwise software renderers blur on the processor.
GlowBlurPath chooseGlowBlurPath(GlowBlurRequest request, bool softwareRenderer);
