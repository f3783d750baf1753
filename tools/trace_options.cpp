#include "tools/trace_options.h"

#include <cstring>

#include "settings/file/decimal_number.h"
#include "settings/stored_settings.h"

const char kTraceUsage[] =
    "usage: quellwire-trace --seed N --frames F --step-us U1[,U2,...] [--quantity P] [--size P] "
    "[--speed P] [--glow G] [--color C] [--symmetry S] [--width W] [--height H]";

namespace {

// Decimal digits only, between 1 and 10 of them, at most maximum.
bool parseNumber(const char* text, std::size_t length, std::uint32_t maximum,
                 std::uint32_t& value) {
  const DecimalNumber read = readDecimalNumber(text, length, DecimalDigitsOnly);
  if (read.check != DecimalCheck::Valid || read.digits > 10 || read.number > maximum) {
    return false;
  }
  value = read.number;
  return true;
}

bool parseSteps(const char* text, std::vector<std::uint32_t>& steps) {
  steps.clear();
  const char* start = text;
  for (;;) {
    const char* comma = std::strchr(start, ',');
    const std::size_t length =
        comma != nullptr ? static_cast<std::size_t>(comma - start) : std::strlen(start);
    std::uint32_t step = 0;
    if (!parseNumber(start, length, UINT32_MAX, step)) return false;
    steps.push_back(step);
    if (comma == nullptr) return true;
    start = comma + 1;
  }
}

struct NumberOption {
  const char* name;
  int storedIndex;  // the stored setting whose limit it takes; -1 for any 32-bit number
  std::uint32_t TraceOptions::*field;
};

// The options that describe the scene, which both tools take.
const NumberOption kSceneOptions[] = {
    {"--seed", -1, &TraceOptions::seed},
    {"--quantity", StoredQuantity, &TraceOptions::quantityPercent},
    {"--size", StoredSize, &TraceOptions::sizePercent},
    {"--speed", StoredSpeed, &TraceOptions::speedPercent},
    {"--glow", StoredGlow, &TraceOptions::glow},
    {"--color", StoredColor, &TraceOptions::color},
    {"--symmetry", StoredSymmetry, &TraceOptions::symmetry},
};

}  // namespace

bool traceParseWholeNumber(const char* text, std::uint32_t maximum, std::uint32_t& value) {
  return parseNumber(text, std::strlen(text), maximum, value);
}

TraceOptions traceDefaultOptions() {
  TraceOptions options{};
  options.quantityPercent = kStoredSettings[StoredQuantity].defaultNumber;
  options.sizePercent = kStoredSettings[StoredSize].defaultNumber;
  options.speedPercent = kStoredSettings[StoredSpeed].defaultNumber;
  options.glow = kStoredSettings[StoredGlow].defaultNumber;
  options.color = kStoredSettings[StoredColor].defaultNumber;
  options.symmetry = kStoredSettings[StoredSymmetry].defaultNumber;
  options.width = 1024;
  options.height = 768;
  return options;
}

SceneOptionResult traceParseSceneOption(const char* name, const char* value,
                                        TraceOptions& options) {
  const std::size_t length = std::strlen(value);
  if (std::strcmp(name, "--width") == 0 || std::strcmp(name, "--height") == 0) {
    std::uint32_t pixels = 0;
    if (!parseNumber(value, length, INT32_MAX, pixels)) return SceneOptionResult::Rejected;
    (name[2] == 'w' ? options.width : options.height) = static_cast<std::int32_t>(pixels);
    return SceneOptionResult::Accepted;
  }
  for (const NumberOption& option : kSceneOptions) {
    if (std::strcmp(name, option.name) != 0) continue;
    const std::uint32_t maximum =
        option.storedIndex < 0 ? UINT32_MAX : kStoredSettings[option.storedIndex].maximum;
    return parseNumber(value, length, maximum, options.*(option.field))
               ? SceneOptionResult::Accepted
               : SceneOptionResult::Rejected;
  }
  return SceneOptionResult::NotASceneOption;
}

bool traceParseOptions(int argc, const char* const* argv, TraceOptions& options) {
  options = traceDefaultOptions();
  bool haveSeed = false;
  bool haveFrames = false;
  bool haveSteps = false;
  for (int k = 0; k < argc; k += 2) {
    const char* name = argv[k];
    if (k + 1 >= argc) return false;
    const char* value = argv[k + 1];
    if (std::strcmp(name, "--step-us") == 0) {
      if (!parseSteps(value, options.stepsUs)) return false;
      haveSteps = true;
    } else if (std::strcmp(name, "--frames") == 0) {
      if (!parseNumber(value, std::strlen(value), UINT32_MAX, options.frames)) return false;
      haveFrames = true;
    } else {
      if (traceParseSceneOption(name, value, options) != SceneOptionResult::Accepted) {
        return false;
      }
      haveSeed = haveSeed || std::strcmp(name, "--seed") == 0;
    }
  }
  return haveSeed && haveFrames && haveSteps;
}

Settings traceSettings(const TraceOptions& options) {
  return Settings{settingsFractionFromPercent(options.quantityPercent),
                  settingsFractionFromPercent(options.sizePercent),
                  settingsFractionFromPercent(options.speedPercent),
                  static_cast<GlowMode>(options.glow),
                  static_cast<ColorScheme>(options.color),
                  static_cast<std::uint8_t>(options.symmetry)};
}
