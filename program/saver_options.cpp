#include "program/saver_options.h"

#include <cstring>

#include "settings/file/decimal_number.h"
#include "settings/file/setting_text.h"
#include "settings/settings.h"

namespace {

// What an option does. Those that take a value take the argument after them.
enum class OptionKind : std::uint8_t {
  Help,           // the usage text is shown, and nothing else is done
  Target,         // draw where `target` says
  WindowId,       // a value: draw into the window it names
  DisplayName,    // a value: the X display
  FrameLimit,     // a value: end after that many frames
  Flag,           // `flag` is set to `on`
  Setting,        // a value: the stored setting `setting`, for this run
  SettingSwitch,  // -word sets the stored setting `setting` to 1 for this run, -no-word to 0
  Display,        // draw on the display system `display` (X11 or Wayland) asks for
};

struct SaverOption {
  const char* word;            // the option without its dash
  OptionKind kind;             // what it does
  const char* valueShown;      // the value in the usage text; null for an option without one
  const char* help;            // its lines in the usage text; null for one the text leaves out
  SaverTarget target;          // Target
  bool SaverOptions::*flag;    // Flag
  bool on;                     // Flag
  StoredSettingIndex setting;  // Setting, SettingSwitch
  DisplayRequest display;      // Display
};

constexpr SaverOption helpOption(const char* word, const char* help) {
  return {word, OptionKind::Help, nullptr, help, {}, nullptr, false, {}, {}};
}

constexpr SaverOption targetOption(const char* word, SaverTarget target, const char* help) {
  return {word, OptionKind::Target, nullptr, help, target, nullptr, false, {}, {}};
}

constexpr SaverOption valueOption(const char* word, OptionKind kind, const char* valueShown,
                                  const char* help) {
  return {word, kind, valueShown, help, {}, nullptr, false, {}, {}};
}

constexpr SaverOption flagOption(const char* word, bool SaverOptions::*flag, bool on,
                                 const char* help) {
  return {word, OptionKind::Flag, nullptr, help, {}, flag, on, {}, {}};
}

constexpr SaverOption settingOption(const char* word, StoredSettingIndex setting,
                                    const char* valueShown, const char* help) {
  return {word, OptionKind::Setting, valueShown, help, {}, nullptr, false, setting, {}};
}

constexpr SaverOption switchOption(const char* word, StoredSettingIndex setting, const char* help) {
  return {word, OptionKind::SettingSwitch, nullptr, help, {}, nullptr, false, setting, {}};
}

constexpr SaverOption displayOption(const char* word, DisplayRequest display, const char* help) {
  return {word, OptionKind::Display, nullptr, help, {}, nullptr, false, {}, display};
}

// Every option, in the order of the usage text. A help of more than one line goes on at the help
// column. A new option is one more line here (and, for a new kind, its case in the parse).
// clang-format off
constexpr SaverOption kSaverOptions[] = {
    targetOption("window", SaverTarget::OwnWindow, "draw in a window of its own (the default)"),
    targetOption("fullscreen", SaverTarget::FullScreen,
                 "cover the screen (on Wayland, every output); a key, a\n"
                 "click, a touch, a pointer move or the keyboard focus\n"
                 "going to another program (a locker) ends it"),
    targetOption("root", SaverTarget::RootWindow,
                 "draw on the root window, or on $XSCREENSAVER_WINDOW"),
    valueOption("window-id", OptionKind::WindowId, "<id>",
                "draw into the given window (decimal or 0x hexadecimal)"),
    targetOption("background", SaverTarget::Background,
                 "(Wayland) a live wallpaper on every output, until SIGTERM"),
    valueOption("display", OptionKind::DisplayName, "<name>", "the X display to use"),
    displayOption("x11", DisplayRequest::X11,
                  "draw on X11 (in a Wayland session, through Xwayland)"),
    displayOption("wayland", DisplayRequest::Wayland,
                  "draw on Wayland (the default where $WAYLAND_DISPLAY is\n"
                  "set and no X11 option is given)"),
    flagOption("fps", &SaverOptions::showFps, true, "show the frame rate"),
    flagOption("no-fps", &SaverOptions::showFps, false, nullptr),
    settingOption("wires", StoredQuantity, "<0-100>", "number of wires, percent"),
    settingOption("length", StoredSize, "<0-100>", "wire length, percent"),
    settingOption("speed", StoredSpeed, "<0-100>", "speed, percent"),
    settingOption("glow", StoredGlow, "<0-3>", "glow: 0 none, 1 low, 2 high quality, 3 wires only"),
    settingOption("color", StoredColor, "<0-6|name>",
                  "emerald, lapis, amber, amethyst, ruby, random or cycle"),
    switchOption("symmetry", StoredSymmetry, "eight-fold mirror symmetry on or off"),
    flagOption("save-settings", &SaverOptions::saveSettings, true,
               "store the settings given here as the defaults and end"),
    valueOption("frames", OptionKind::FrameLimit, "<n>", "end after n frames"),
    helpOption("help", "show this text"),
    helpOption("h", nullptr),
};
// clang-format on

// The usage text's help begins this many columns after the option's two-space indent, or three
// spaces after a longer option.
constexpr std::size_t kHelpColumn = 20;
constexpr std::size_t kShortestHelpGap = 3;

constexpr char kUsageFirstLine[] = "usage: quellwire [options]\n";

// The manual page around its options; ".TH" with the version and date goes before it.
constexpr char kManualHead[] = R"(.SH NAME
quellwire \- OpenGL screen saver: a flock of glowing wires
.SH SYNOPSIS
.B quellwire
.RI [ options ]
.SH DESCRIPTION
A flock of a few dozen to a few hundred glowing wires flies in and around a
slowly tumbling cube: each wire steers by its neighbours and leaves a fading
trail, and a soft coloured halo surrounds them all.
.PP
On X11,
.B quellwire
runs under xscreensaver, which lists it with its settings, or on its own, in a
window or over the whole screen.
In a Wayland session it speaks Wayland itself:
.B \-fullscreen
covers every output, as a saver that an idle daemon such as
.BR swayidle (1)
starts, and
.B \-background
draws a live wallpaper on every output.
.SH OPTIONS
An option may also be written with two dashes.
The settings given here override the settings file for one run.
)";
constexpr char kManualMiddle[] = R"(.SH EXIT STATUS
0 when the saver ends as it should: closed, its window gone, input on a
.B \-fullscreen
saver, SIGTERM, SIGHUP or SIGINT, or the frames given with
.B \-frames
drawn.
Another status when it could not run; a message on standard error says why.
.SH ENVIRONMENT
.TP
.B DISPLAY
The X display, unless
.B \-display
names one.
.TP
.B WAYLAND_DISPLAY
Where it is set, the saver draws on Wayland, unless
.BR \-x11 ,
.BR \-root ,
.B \-window\-id
or
.B \-display
is given or xscreensaver gives it a window.
.TP
.B XSCREENSAVER_WINDOW
The window xscreensaver gives the saver, drawn in with
.B \-root
or when no other place is given.
.TP
.B XDG_CONFIG_HOME
Where the settings file is kept;
.I ~/.config
when it is not set.
.SH FILES
.TP
.I $XDG_CONFIG_HOME/quellwire/settings
The settings, one
.I Name=value
line each, where
.I Name
is
)";
constexpr char kManualTail[] = R"(.B \-save\-settings
writes it.
.SH EXAMPLES
In sway's configuration, the saver after five minutes without input:
.PP
.RS
.nf
exec swayidle timeout 300 'quellwire \-fullscreen'
.fi
.RE
.PP
Not with swayidle's
.BR \-w :
that would hold up every later command, a screen locker's too, until the
saver ends.
For xscreensaver, in the
.B programs:
entry of
.IR ~/.xscreensaver :
.PP
.RS
.nf
GL: quellwire \-root \en\e
.fi
.RE
.SH SEE ALSO
.BR xscreensaver (1),
.BR swayidle (1)
)";
constexpr char kUsageLastLines[] =
    "Settings are read from $XDG_CONFIG_HOME/quellwire/settings (by default\n"
    "~/.config/quellwire/settings); the options above override them for one run.\n";

// What an option is shown as: its word, its value, its -no- form.
std::string optionShown(const SaverOption& option) {
  std::string shown = std::string("-") + option.word;
  if (option.valueShown != nullptr) shown += std::string(" ") + option.valueShown;
  if (option.kind == OptionKind::SettingSwitch) shown += std::string(", -no-") + option.word;
  return shown;
}

// Text as troff prints it: backslashes and dashes that begin a word (or all, for `allDashes`)
// escaped, and every line kept from being read as a request.
std::string troffText(const char* text, bool allDashes) {
  std::string out = "\\&";
  for (const char* c = text; *c != '\0'; ++c) {
    if (*c == '\\') {
      out += "\\e";
    } else if (*c == '-' && (allDashes || c == text || c[-1] == ' ' || c[-1] == '\n')) {
      out += "\\-";
    } else {
      out += *c;
      if (*c == '\n') out += "\\&";
    }
  }
  return out;
}

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

// The option a word names, and whether it was the -no- form of a switch; null when none.
struct NamedOption {
  const SaverOption* option;
  bool negated;
};

NamedOption optionNamed(const char* word) {
  for (const SaverOption& option : kSaverOptions) {
    if (std::strcmp(word, option.word) == 0) return {&option, false};
    if (option.kind == OptionKind::SettingSwitch && std::strncmp(word, "no-", 3) == 0 &&
        std::strcmp(word + 3, option.word) == 0) {
      return {&option, true};
    }
  }
  return {nullptr, false};
}

// What the error says an option of this kind needs when its value is missing.
const char* valueNeeded(OptionKind kind) {
  switch (kind) {
    case OptionKind::WindowId:
      return "a window id";
    case OptionKind::DisplayName:
      return "a display name";
    case OptionKind::FrameLimit:
      return "a number of frames";
    case OptionKind::Setting:
      return "a value";
    case OptionKind::Help:
    case OptionKind::Target:
    case OptionKind::Flag:
    case OptionKind::SettingSwitch:
    case OptionKind::Display:
      break;
  }
  return nullptr;
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
    // A window id is a 32-bit number; anything wider is not a window.
    if (number > 0xFFFFFFFFull) return false;
  }
  if (number == 0) return false;
  *windowId = number;
  return true;
}

namespace {

// Carries out one option with its value (null for those that take none); false when the parse
// ends with it (-help, or an error in `parse`).
bool applyOption(OptionsParse& parse, const NamedOption& named, const char* value) {
  SaverOptions& options = parse.options;
  const SaverOption& option = *named.option;
  const std::string label = std::string("-") + option.word;  // as errors and warnings name it
  switch (option.kind) {
    case OptionKind::Help:
      parse.outcome = OptionsOutcome::ShowHelp;
      return false;
    case OptionKind::Target:
      options.target = option.target;
      options.targetChosen = true;
      break;
    case OptionKind::WindowId:
      if (!parseWindowId(value, &options.windowId)) {
        parse = failure(parse, label + ": " + quoted(value) + " is not a window id");
        return false;
      }
      options.target = SaverTarget::GivenWindow;
      options.targetChosen = true;
      break;
    case OptionKind::DisplayName:
      options.displayName = value;
      break;
    case OptionKind::FrameLimit:
      if (!readFrameLimit(value, &options.frameLimit)) {
        parse = failure(parse, label + ": " + quoted(value) + " is not a whole number");
        return false;
      }
      break;
    case OptionKind::Flag:
      options.*option.flag = option.on;
      break;
    case OptionKind::Setting: {
      const SettingTextValue read = readSettingValue(option.setting, value);
      if (read.check != SettingTextCheck::Valid) {
        parse.warnings.push_back(
            settingTextProblem(label.c_str(), option.setting, value, read.check));
      }
      options.overrides[option.setting] = StoredNumber{true, read.number};
      break;
    }
    case OptionKind::SettingSwitch:
      options.overrides[option.setting] = StoredNumber{true, named.negated ? 0u : 1u};
      break;
    case OptionKind::Display:
      options.displayRequest = option.display;
      break;
  }
  return true;
}

}  // namespace

OptionsParse parseSaverOptions(int argumentCount, const char* const* arguments) {
  OptionsParse parse{};
  parse.outcome = OptionsOutcome::Run;
  parse.options.target = SaverTarget::OwnWindow;

  for (int i = 0; i < argumentCount; ++i) {
    const char* argument = arguments[i];
    const char* word = optionWord(argument);
    if (word == nullptr) return failure(parse, "unexpected argument " + quoted(argument));
    const NamedOption named = optionNamed(word);
    if (named.option == nullptr) return failure(parse, "unknown option " + quoted(argument));

    // An option where a value is due leaves the value missing: `-wires -fps` is -wires without
    // its number, and -fps is not taken as one.
    const char* value = nullptr;
    if (const char* needed = valueNeeded(named.option->kind)) {
      const char* next = i + 1 < argumentCount ? arguments[i + 1] : nullptr;
      if (next == nullptr || namesAnOption(next)) {
        std::string message = std::string(argument) + " needs " + needed;
        if (next != nullptr) message += ", not the option " + quoted(next);
        return failure(parse, message);
      }
      value = next;
      ++i;
    }
    if (!applyOption(parse, named, value)) return parse;
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
  static const std::string text = [] {
    std::string usage = kUsageFirstLine;
    for (const SaverOption& option : kSaverOptions) {
      if (option.help == nullptr) continue;
      const std::string shown = optionShown(option);
      usage += "  " + shown;
      usage.append(shown.size() + kShortestHelpGap <= kHelpColumn ? kHelpColumn - shown.size()
                                                                  : kShortestHelpGap,
                   ' ');
      for (const char* c = option.help; *c != '\0'; ++c) {
        usage += *c;
        if (*c == '\n') usage.append(2 + kHelpColumn, ' ');
      }
      usage += '\n';
    }
    return usage + kUsageLastLines;
  }();
  return text.c_str();
}

std::string saverManualPage(const char* version, const char* date) {
  std::string page = std::string(".TH QUELLWIRE 6 \"") + date + "\" \"Quellwire " + version +
                     "\" \"Screen savers\"\n" + kManualHead;
  for (const SaverOption& option : kSaverOptions) {
    if (option.help == nullptr) continue;
    page += ".TP\n.B " + troffText(optionShown(option).c_str(), true) + "\n";
    page += troffText(option.help, false) + "\n";
  }
  // The settings file's name of each setting an option sets.
  page += kManualMiddle;
  const char* separator = "";
  for (const SaverOption& option : kSaverOptions) {
    if (option.kind != OptionKind::Setting && option.kind != OptionKind::SettingSwitch) continue;
    page += separator;
    page +=
        std::string(".B ") + kStoredSettings[option.setting].name + "\n(\\-" + option.word + ")";
    separator = ",\n";
  }
  page += ";\n";
  return page + kManualTail;
}
