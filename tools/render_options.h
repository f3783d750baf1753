// The command line of quellwire-render:
//   [--seed N] [--time-ms T] [--every K] [--output FILE.png] [--quantity P] [--size P]
//   [--speed P] [--glow G] [--color C] [--symmetry S] [--width W] [--height H] [--renderer R]
// The scene options and their defaults are those of quellwire-trace; --seed defaults to 1 here.
// T is the simulated time in milliseconds (default 3000), run in 10 ms frames. K > 0 also writes
// every K-th frame, as FILE-<frame>.png with the frame number in six digits; the final frame
// always goes to FILE.png (default "quellwire.png"). W and H are 1 to 8192. R is "gl" (OpenGL 1.1
// on OSMesa, the default) or "es" (OpenGL ES 3 through EGL, drawn by the ES renderer).
#pragma once

#include <cstdint>
#include <string>

#include "tools/trace_options.h"

struct RenderOptions {
  TraceOptions scene;  // the seed, the six settings and the size; frames and steps unused
  std::uint32_t timeMs;
  std::uint32_t every;
  std::string output;
  bool es;  // draw with the ES renderer
};

// The one-line usage message.
extern const char kRenderUsage[];

// The largest side the renderer draws.
inline constexpr std::int32_t kRenderMaxSide = 8192;

// Reads the arguments after the program name. False for an unknown option, a missing or
// malformed value, a value out of range or an output name that does not end in ".png".
bool renderParseOptions(int argc, const char* const* argv, RenderOptions& options);

// The name of the file for frame `frame` when every K-th frame is written.
std::string renderFrameFileName(const std::string& output, std::uint32_t frame);
