#include "program/saver_options.h"

#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "settings/settings.h"

namespace {

OptionsParse parseArguments(std::vector<const char*> arguments) {
  return parseSaverOptions(static_cast<int>(arguments.size()), arguments.data());
}

TEST(SaverOptions, NothingGivenIsAWindowOfItsOwnWithTheStoredSettings) {
  const OptionsParse parse = parseArguments({});
  ASSERT_EQ(parse.outcome, OptionsOutcome::Run);
  EXPECT_EQ(parse.options.target, SaverTarget::OwnWindow);
  EXPECT_FALSE(parse.options.showFps);
  for (const StoredNumber& value : parse.options.overrides) EXPECT_FALSE(value.present);
}

TEST(SaverOptions, TargetsAndFlagsInXscreensaverStyle) {
  OptionsParse parse = parseArguments({"-root", "-fps", "--frames", "25", "-display", ":3"});
  ASSERT_EQ(parse.outcome, OptionsOutcome::Run);
  EXPECT_EQ(parse.options.target, SaverTarget::RootWindow);
  EXPECT_TRUE(parse.options.showFps);
  EXPECT_EQ(parse.options.frameLimit, 25u);
  EXPECT_EQ(parse.options.displayName, ":3");

  parse = parseArguments({"-window-id", "0x1a00003"});
  EXPECT_EQ(parse.options.target, SaverTarget::GivenWindow);
  EXPECT_EQ(parse.options.windowId, 0x1a00003u);
  EXPECT_EQ(parseArguments({"-fullscreen"}).options.target, SaverTarget::FullScreen);
}

// -help (or -h) ends the parse: nothing after it is read or judged, neither a target nor a flag,
// an unknown option, a stray word, a missing value nor a bad one.
TEST(SaverOptions, HelpEndsTheParse) {
  for (const std::vector<const char*>& arguments :
       std::vector<std::vector<const char*>>{{"-help"},
                                             {"-help", "-fullscreen", "-fps"},
                                             {"--help", "-bogus"},
                                             {"-h", "stray"},
                                             {"-help", "-wires"},
                                             {"-help", "-glow", "9"}}) {
    const OptionsParse parse = parseArguments(arguments);
    EXPECT_EQ(parse.outcome, OptionsOutcome::ShowHelp) << arguments.size();
    EXPECT_TRUE(parse.error.empty()) << parse.error;
    EXPECT_TRUE(parse.warnings.empty());
    EXPECT_EQ(parse.options.target, SaverTarget::OwnWindow);
    EXPECT_FALSE(parse.options.showFps);
    EXPECT_FALSE(parse.options.overrides[StoredGlow].present);
  }
}

TEST(SaverOptions, EachSettingCanBeSetForOneRun) {
  const OptionsParse parse = parseArguments({"-wires", "70", "-length", "0", "-speed", "100",
                                             "-glow", "3", "-color", "Amethyst", "-symmetry"});
  ASSERT_EQ(parse.outcome, OptionsOutcome::Run);
  EXPECT_TRUE(parse.warnings.empty());
  const StoredNumber* o = parse.options.overrides;
  EXPECT_EQ(o[StoredQuantity].number, 70u);
  EXPECT_EQ(o[StoredSize].number, 0u);
  EXPECT_EQ(o[StoredSpeed].number, 100u);
  EXPECT_EQ(o[StoredGlow].number, 3u);
  EXPECT_EQ(o[StoredColor].number, static_cast<std::uint32_t>(ColorScheme::Amethyst));
  EXPECT_EQ(o[StoredSymmetry].number, 1u);
  for (int i = 0; i < StoredSettingCount; ++i) EXPECT_TRUE(o[i].present) << i;

  EXPECT_EQ(parseArguments({"-symmetry", "-no-symmetry"}).options.overrides[StoredSymmetry].number,
            0u);
  EXPECT_EQ(parseArguments({"-color", "5"}).options.overrides[StoredColor].number, 5u);
  // Every colour scheme by its name, the last (the default, cycle) too: a name that is not found
  // warns, even where its default is the same scheme.
  for (int i = 0; i < kColorSchemeCount; ++i) {
    const OptionsParse named = parseArguments({"-color", kColorSchemeNames[i]});
    EXPECT_TRUE(named.warnings.empty()) << kColorSchemeNames[i];
    EXPECT_EQ(named.options.overrides[StoredColor].number, static_cast<std::uint32_t>(i));
  }
  EXPECT_TRUE(parseArguments({"-color", "cycle"}).warnings.empty());
}

TEST(SaverOptions, BadSettingValuesWarnAndTakeTheDefault) {
  // A negative number is a value, out of range.
  const OptionsParse parse =
      parseArguments({"-wires", "lots", "-glow", "4", "-color", "teal", "-speed", "-5"});
  ASSERT_EQ(parse.outcome, OptionsOutcome::Run);
  ASSERT_EQ(parse.warnings.size(), 4u);
  EXPECT_EQ(parse.warnings[0],
            "-wires \"lots\" is not a whole number from 0 to 100; using the default 50");
  EXPECT_EQ(parse.warnings[1], "-glow \"4\" is outside 0 to 3; using the default 2");
  const StoredNumber* o = parse.options.overrides;
  EXPECT_EQ(o[StoredQuantity].number, 50u);
  EXPECT_EQ(o[StoredGlow].number, 2u);
  EXPECT_EQ(o[StoredColor].number, 6u);
  EXPECT_EQ(o[StoredSpeed].number, 50u);
}

TEST(SaverOptions, MalformedCommandLinesAreErrors) {
  for (const std::vector<const char*>& arguments :
       std::vector<std::vector<const char*>>{{"-bogus"},
                                             {"stray"},
                                             {"-wires"},
                                             {"-window-id"},
                                             {"-window-id", "0"},
                                             {"-window-id", "0xZZ"},
                                             {"-window-id", "99999999999"},
                                             {"-frames", "ten"},
                                             {"-"},
                                             {"-frames", "-fps"},
                                             {"-display", "--root"},
                                             {"-window-id", "-fps"}}) {
    const OptionsParse parse = parseArguments(arguments);
    EXPECT_EQ(parse.outcome, OptionsOutcome::Error) << arguments[0];
    EXPECT_FALSE(parse.error.empty());
  }
  // An option where a value is due is a missing value, not a bad one.
  EXPECT_EQ(parseArguments({"-wires", "-fps"}).error,
            "-wires needs a value, not the option \"-fps\"");
  // Quoted arguments are short and escaped.
  const std::string longArgument = "-\x1B" + std::string(70000, 'x');
  EXPECT_EQ(parseArguments({longArgument.c_str()}).error,
            "unknown option \"-\\x1B" + std::string(38, 'x') + "\"... (70002 bytes)");
}

TEST(SaverOptions, XscreensaverWindowIsUsedWithRootOrNoTarget) {
  std::vector<std::string> warnings;
  SaverOptions options = parseArguments({"-root"}).options;
  applySaverWindowEnvironment(options, "12345", warnings);
  EXPECT_EQ(options.target, SaverTarget::GivenWindow);
  EXPECT_EQ(options.windowId, 12345u);

  options = parseArguments({}).options;
  applySaverWindowEnvironment(options, "0x20", warnings);
  EXPECT_EQ(options.windowId, 0x20u);

  options = parseArguments({"-window-id", "7"}).options;  // the explicit window wins
  applySaverWindowEnvironment(options, "0x20", warnings);
  EXPECT_EQ(options.windowId, 7u);

  options = parseArguments({"-fullscreen"}).options;
  applySaverWindowEnvironment(options, "0x20", warnings);
  EXPECT_EQ(options.target, SaverTarget::FullScreen);
  EXPECT_TRUE(warnings.empty());

  options = parseArguments({"-root"}).options;
  applySaverWindowEnvironment(options, "junk", warnings);
  EXPECT_EQ(options.target, SaverTarget::RootWindow);
  EXPECT_EQ(warnings.size(), 1u);
}

// Every option the usage text lists is taken as it is shown there: with a value where it shows
// one (the value's first example), without one otherwise; -help is the only one that ends the
// parse.
TEST(SaverOptions, UsageTextListsWhatTheParserTakes) {
  std::istringstream lines(saverUsageText());
  int listed = 0;
  for (std::string line; std::getline(lines, line);) {
    if (line.rfind("  -", 0) != 0) continue;
    std::istringstream words(line);
    std::vector<std::string> arguments;
    for (std::string word; words >> word && (word[0] == '-' || word[0] == '<');) {
      if (word.back() == ',') word.pop_back();
      // Every value shown takes 1: a percentage, a glow, a colour, a window, a display, frames.
      arguments.push_back(word[0] == '<' ? "1" : word);
    }
    std::vector<const char*> pointers;
    for (const std::string& argument : arguments) pointers.push_back(argument.c_str());
    const OptionsParse parse = parseArguments(pointers);
    EXPECT_EQ(parse.outcome,
              arguments[0] == "-help" ? OptionsOutcome::ShowHelp : OptionsOutcome::Run)
        << line << ": " << parse.error;
    EXPECT_TRUE(parse.warnings.empty()) << line;
    ++listed;
  }
  EXPECT_EQ(listed, 18);

  // A help that goes on to another line goes on at the help column, after the two-space indent.
  const std::string column(22, ' ');
  int continued = 0;
  std::istringstream again(saverUsageText());
  for (std::string line; std::getline(again, line);) {
    if (line.empty() || line[0] != ' ' || line.rfind("  -", 0) == 0) continue;
    EXPECT_EQ(line.find_first_not_of(' '), column.size()) << line;
    ++continued;
  }
  EXPECT_GE(continued, 2);
}

// The manual page lists the options -help lists, in the same order and words once troff's
// escapes are read: each option as shown, then its help.
TEST(SaverOptions, ManualPageListsTheOptionsOfTheUsageText) {
  // The words of a text, one space apart, with the escapes \&, \- and \e read.
  const auto words = [](const std::string& text) {
    std::string plain, joined;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] != '\\') {
        plain += text[i];
      } else if (++i < text.size() && text[i] != '&') {
        plain += text[i] == 'e' ? '\\' : text[i];
      }
    }
    std::istringstream split(plain);
    for (std::string word; split >> word;) joined += (joined.empty() ? "" : " ") + word;
    return joined;
  };
  std::vector<std::string> usage, manual;
  std::istringstream help(saverUsageText());
  for (std::string line; std::getline(help, line);) {
    if (line.rfind("  -", 0) == 0) usage.push_back(words(line));
    if (line.rfind("    ", 0) == 0) usage.back() += " " + words(line);
  }
  // From the options' section to the next: ".TP", ".B <option as shown>", its help's lines.
  const std::string page = saverManualPage("1.2.3", "2026-01-02");
  std::istringstream lines(page.substr(page.find("\n.SH OPTIONS\n") + 13));
  for (std::string line; std::getline(lines, line) && line.rfind(".SH", 0) != 0;) {
    if (line == ".TP") {
      manual.emplace_back();
    } else if (!manual.empty()) {
      manual.back() += (manual.back().empty() ? "" : " ") +
                       words(line.rfind(".B ", 0) == 0 ? line.substr(3) : line);
    }
  }
  EXPECT_EQ(manual, usage);
  EXPECT_EQ(manual.size(), 18u);
}

// quellwire.xml offers every colour scheme by its name in lower case and every glow mode by its
// number, in their order, the default without an argument; each choice it passes reaches the
// saver as that value, without a warning.
TEST(SaverDescription, OffersEveryColourByNameAndEveryGlowModeInOrder) {
  std::ifstream file(QW_SAVER_DESCRIPTION);
  ASSERT_TRUE(file.good()) << QW_SAVER_DESCRIPTION;
  const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  // The attribute `name` of an element's opening text, empty when it has none.
  const auto attribute = [](const std::string& element, const std::string& name) {
    const std::string key = " " + name + "=\"";
    const std::size_t start = element.find(key);
    if (start == std::string::npos) return std::string();
    const std::size_t from = start + key.size();
    return element.substr(from, element.find('"', from) - from);
  };
  const auto optionsOf = [&text, &attribute](const std::string& select) {
    std::vector<std::pair<std::string, std::string>> found;  // id, arg-set
    const std::size_t begin = text.find("<select id=\"" + select + "\">");
    const std::size_t end = text.find("</select>", begin);
    if (begin == std::string::npos || end == std::string::npos) return found;
    for (std::size_t at = text.find("<option ", begin); at < end;
         at = text.find("<option ", at + 1)) {
      const std::string element = text.substr(at, text.find("/>", at) - at);
      found.emplace_back(attribute(element, "id"), attribute(element, "arg-set"));
    }
    return found;
  };
  const auto reaches = [](const std::string& argSet, StoredSettingIndex index,
                          std::uint32_t value) {
    std::istringstream words(argSet);
    std::vector<std::string> kept{std::istream_iterator<std::string>(words), {}};
    std::vector<const char*> arguments;
    for (const std::string& word : kept) arguments.push_back(word.c_str());
    const OptionsParse parse = parseArguments(arguments);
    return parse.outcome == OptionsOutcome::Run && parse.warnings.empty() &&
           parse.options.overrides[index].present && parse.options.overrides[index].number == value;
  };
  const Settings defaults = settingsDefaults();

  const auto colors = optionsOf("color");
  ASSERT_EQ(colors.size(), static_cast<std::size_t>(kColorSchemeCount));
  for (int i = 0; i < kColorSchemeCount; ++i) {
    std::string name = kColorSchemeNames[i];
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    EXPECT_EQ(colors[i].first, name);
    if (i == static_cast<int>(defaults.color)) {
      EXPECT_EQ(colors[i].second, "") << name;
    } else {
      EXPECT_EQ(colors[i].second, "-color " + name);
      EXPECT_TRUE(reaches(colors[i].second, StoredColor, i)) << name;
    }
  }

  const auto glows = optionsOf("glow");
  ASSERT_EQ(glows.size(), static_cast<std::size_t>(kNamedGlowModeCount + 1));  // and 3, wires only
  for (std::size_t i = 0; i < glows.size(); ++i) {
    if (i == static_cast<std::size_t>(defaults.glow)) {
      EXPECT_EQ(glows[i].second, "") << glows[i].first;
    } else {
      EXPECT_EQ(glows[i].second, "-glow " + std::to_string(i));
      EXPECT_TRUE(reaches(glows[i].second, StoredGlow, static_cast<std::uint32_t>(i)));
    }
  }
}

}  // namespace
