// The command line of quellwire-trace:
//   --seed N --frames F --step-us U1[,U2,...] [--quantity P] [--size P] [--speed P] [--glow G]
//   [--color C] [--symmetry S] [--width W] [--height H]
// Numbers are plain decimal digits. P are whole percentages 0 to 100 (default 50), G 0 to 3
// (default 2), C 0 to 6 (default 6), S 0 or 1 (default 0), W and H 0 to 2147483647 (default
// 1024 and 768). An option given twice takes its last value.
#pragma once

#include <cstdint>
#include <vector>

#include "settings/settings.h"

struct TraceOptions {
  std::uint32_t seed;
  std::uint32_t frames;
  std::vector<std::uint32_t> stepsUs;  // used cyclically: frame k takes stepsUs[(k - 1) mod size]
  std::uint32_t quantityPercent;
  std::uint32_t sizePercent;
  std::uint32_t speedPercent;
  std::uint32_t glow;
  std::uint32_t color;
  std::uint32_t symmetry;
  std::int32_t width;
  std::int32_t height;
};

// The defaults: seed 0, no frames, no steps, the stored settings' defaults (percentages 50,
// glow 2, colour 6, symmetry 0), 1024 x 768.
TraceOptions traceDefaultOptions();

// Plain decimal digits, 1 to 10 of them, at most maximum.
bool traceParseWholeNumber(const char* text, std::uint32_t maximum, std::uint32_t& value);

enum class SceneOptionResult { NotASceneOption, Accepted, Rejected };

// One of the options that describe the scene, which quellwire-render takes too: --seed, the six
// settings, --width and --height. Rejected when the value is malformed or out of range.
SceneOptionResult traceParseSceneOption(const char* name, const char* value, TraceOptions& options);

// The one-line usage message.
extern const char kTraceUsage[];

// Reads the arguments after the program name. False for anything else than the command line
// above: an unknown option, a missing or malformed value, a value out of range, or a missing
// --seed, --frames or --step-us.
bool traceParseOptions(int argc, const char* const* argv, TraceOptions& options);

// The settings the options stand for, with the percentages made fractions as loading does.
Settings traceSettings(const TraceOptions& options);
