#include "x11/saver_options.h"

#include <cstring>
#include <strings.h>

#include "settings/file/decimal_number.h"
#include "settings/file/setting_text.h"
#include "settings/settings.h"

namespace {

struct SettingOption {
  const char* name;
  StoredSettingIndex index;
};

// The options that set one of the six settings for this run.
constexpr SettingOption kSettingOptions[] = {
    {"wires", StoredQuantity}, {"length", StoredSize}, {"speed", StoredSpeed},
    {"glow", StoredGlow},      {"color", StoredColor},
};

// The option word without its one or two leading dashes; null when it has none.
const char* optionWord(const char* argument) {
  if (argument[0] != '-' || argument[1] == '\0') return nullptr;
  return argument[1] == '-' ? argument + 2 : argument + 1;
}

// An argument that names an option rather than giving a value: one or two dashes and a letter.
// "-5" and "-" are values (a number out of range, not a number).
bool namesAnOption(const char* argument) {
  const char* word = optionWord(argument);
  if (word == nullptr) return false;
  const char c = word[0];
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

const SettingOption* settingOptionNamed(const char* word) {
  for (const SettingOption& option : kSettingOptions) {
    if (std::strcmp(word, option.name) == 0) return &option;
  }
  return nullptr;
}

// The number a setting option's value stands for; colour schemes may also be given by name.
SettingTextValue readOptionValue(StoredSettingIndex index, const char* text) {
  if (index == StoredColor) {
    for (int i = 0; i < kColorSchemeCount; ++i) {
      if (strcasecmp(text, kColorSchemeNames[i]) == 0) {
        return {SettingTextCheck::Valid, static_cast<std::uint32_t>(i)};
      }
    }
  }
  return readSettingText(index, text, std::strlen(text));
}

bool readFrameLimit(const char* text, std::uint32_t* frames) {
  const DecimalNumber read = readDecimalNumber(text, std::strlen(text), DecimalDigitsOnly);
  if (read.check != DecimalCheck::Valid) return false;
  *frames = read.number;
  return true;
}

std::string quoted(const char* text) { return quotedText(text, std::strlen(text)); }

OptionsParse failure(OptionsParse parse, std::string error) {
  parse.outcome = OptionsOutcome::Error;
  parse.error = std::move(error);
  return parse;
}

}  // namespace

bool parseWindowId(const char* text, std::uint64_t* windowId) {
  if (text == nullptr) return false;
  int base = 10;
  if (text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text += 2;
  }
  if (text[0] == '\0') return false;
  std::uint64_t number = 0;
  for (const char* c = text; *c != '\0'; ++c) {
    int digit;
    if (*c >= '0' && *c <= '9') {
      digit = *c - '0';
    } else if (base == 16 && *c >= 'a' && *c <= 'f') {
      digit = *c - 'a' + 10;
    } else if (base == 16 && *c >= 'A' && *c <= 'F') {
      digit = *c - 'A' + 10;
    } else {
      return false;
    }
    number = number * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
    // X resource identifiers have 29 bits; anything wider is not a window.
    if (number > 0xFFFFFFFFull) return false;
  }
  if (number == 0) return false;
  *windowId = number;
  return true;
}

OptionsParse parseSaverOptions(int argumentCount, const char* const* arguments) {
  OptionsParse parse{};
  parse.outcome = OptionsOutcome::Run;
  SaverOptions& options = parse.options;
  options.target = SaverTarget::OwnWindow;

  for (int i = 0; i < argumentCount; ++i) {
    const char* argument = arguments[i];
    const char* word = optionWord(argument);
    if (word == nullptr) return failure(parse, "unexpected argument " + quoted(argument));
    // An option where a value is due leaves the value missing: `-wires -fps` is -wires without
    // its number, and -fps is not taken as one.
    const char* next = i + 1 < argumentCount ? arguments[i + 1] : nullptr;
    const char* value = next != nullptr && !namesAnOption(next) ? next : nullptr;

    auto needsValue = [&](const char* what) {
      std::string message = std::string(argument) + " needs " + what;
      if (next != nullptr) message += ", not the option " + quoted(next);
      return message;
    };

    if (std::strcmp(word, "help") == 0 || std::strcmp(word, "h") == 0) {
      parse.outcome = OptionsOutcome::ShowHelp;
      return parse;
    } else if (std::strcmp(word, "root") == 0) {
      options.target = SaverTarget::RootWindow;
      options.targetChosen = true;
    } else if (std::strcmp(word, "window") == 0) {
      options.target = SaverTarget::OwnWindow;
      options.targetChosen = true;
    } else if (std::strcmp(word, "fullscreen") == 0) {
      options.target = SaverTarget::FullScreen;
      options.targetChosen = true;
    } else if (std::strcmp(word, "background") == 0) {
      options.target = SaverTarget::Background;
      options.targetChosen = true;
    } else if (std::strcmp(word, "x11") == 0) {
      options.displayRequest = DisplayRequest::X11;
    } else if (std::strcmp(word, "wayland") == 0) {
      options.displayRequest = DisplayRequest::Wayland;
    } else if (std::strcmp(word, "window-id") == 0) {
      if (value == nullptr) return failure(parse, needsValue("a window id"));
      if (!parseWindowId(value, &options.windowId)) {
        return failure(parse, "-window-id: " + quoted(value) + " is not a window id");
      }
      options.target = SaverTarget::GivenWindow;
      options.targetChosen = true;
      ++i;
    } else if (std::strcmp(word, "fps") == 0) {
      options.showFps = true;
    } else if (std::strcmp(word, "no-fps") == 0) {
      options.showFps = false;
    } else if (std::strcmp(word, "symmetry") == 0) {
      options.overrides[StoredSymmetry] = StoredNumber{true, 1};
    } else if (std::strcmp(word, "no-symmetry") == 0) {
      options.overrides[StoredSymmetry] = StoredNumber{true, 0};
    } else if (std::strcmp(word, "save-settings") == 0) {
      options.saveSettings = true;
    } else if (std::strcmp(word, "display") == 0) {
      if (value == nullptr) return failure(parse, needsValue("a display name"));
      options.displayName = value;
      ++i;
    } else if (std::strcmp(word, "frames") == 0) {
      if (value == nullptr) return failure(parse, needsValue("a number of frames"));
      if (!readFrameLimit(value, &options.frameLimit)) {
        return failure(parse, "-frames: " + quoted(value) + " is not a whole number");
      }
      ++i;
    } else if (const SettingOption* setting = settingOptionNamed(word)) {
      if (value == nullptr) return failure(parse, needsValue("a value"));
      const SettingTextValue read = readOptionValue(setting->index, value);
      if (read.check != SettingTextCheck::Valid) {
        const std::string label = std::string("-") + setting->name;
        parse.warnings.push_back(
            settingTextProblem(label.c_str(), setting->index, value, read.check));
      }
      options.overrides[setting->index] = StoredNumber{true, read.number};
      ++i;
    } else {
      return failure(parse, "unknown option " + quoted(argument));
    }
  }
  return parse;
}

void applySaverWindowEnvironment(SaverOptions& options, const char* environmentWindow,
                                 std::vector<std::string>& warnings) {
  if (environmentWindow == nullptr || environmentWindow[0] == '\0') return;
  if (options.target == SaverTarget::GivenWindow) return;
  if (options.targetChosen && options.target != SaverTarget::RootWindow) return;
  std::uint64_t windowId = 0;
  if (!parseWindowId(environmentWindow, &windowId)) {
    warnings.push_back("XSCREENSAVER_WINDOW=" + quoted(environmentWindow) +
                       " is not a window id; ignored");
    return;
  }
  options.target = SaverTarget::GivenWindow;
  options.windowId = windowId;
}

const char* saverUsageText() {
  return "usage: quellwire [options]\n"
         "  -window             draw in a window of its own (the default)\n"
         "  -fullscreen         cover the screen (on Wayland every output); a key, a click,\n"
         "                      a pointer move or a change of focus ends it\n"
         "  -root               draw on the root window, or on $XSCREENSAVER_WINDOW\n"
         "  -window-id <id>     draw into the given window (decimal or 0x hexadecimal)\n"
         "  -background         (Wayland) a live wallpaper on every output; ends on SIGTERM\n"
         "  -display <name>     the X display to use\n"
         "  -x11, -wayland      draw on X11 or on Wayland (by default Wayland when\n"
         "                      $WAYLAND_DISPLAY is set and no X11 option is given)\n"
         "  -fps                show the frame rate\n"
         "  -wires <0-100>      number of wires, percent\n"
         "  -length <0-100>     wire length, percent\n"
         "  -speed <0-100>      speed, percent\n"
         "  -glow <0-3>         glow: 0 none, 1 low, 2 high quality, 3 wires only\n"
         "  -color <0-6|name>   emerald, lapis, amber, amethyst, ruby, random or cycle\n"
         "  -symmetry, -no-symmetry   eight-fold mirror symmetry on or off\n"
         "  -save-settings      store the settings given here as the defaults and end\n"
         "  -frames <n>         end after n frames\n"
         "  -help               show this text\n"
         "Settings are read from $XDG_CONFIG_HOME/quellwire/settings (by default\n"
         "~/.config/quellwire/settings); the options above override them for one run.\n";
}
