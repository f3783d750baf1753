#include "program/display_choice.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A Wayland desktop with Xwayland's DISPLAY, as most have.
constexpr SaverEnvironment kDesktop{":0", "wayland-1", nullptr};
constexpr SaverEnvironment kWaylandOnly{nullptr, "wayland-1", nullptr};
constexpr SaverEnvironment kX11Only{":0", "", nullptr};
constexpr SaverEnvironment kUnderXscreensaver{":0", "wayland-1", "0x1a00003"};

DisplayChoice Choice(std::vector<const char*> arguments, const SaverEnvironment& environment) {
  const OptionsParse parse =
      parseSaverOptions(static_cast<int>(arguments.size()), arguments.data());
  EXPECT_EQ(parse.outcome, OptionsOutcome::Run);
  return chooseDisplaySystem(saverDisplayFacts(parse.options, environment));
}

DisplaySystem Chosen(std::vector<const char*> arguments, const SaverEnvironment& environment) {
  const DisplayChoice choice = Choice(arguments, environment);
  EXPECT_FALSE(choice.refused) << choice.refusal;
  return choice.system;
}

std::string Refusal(std::vector<const char*> arguments, const SaverEnvironment& environment) {
  const DisplayChoice choice = Choice(arguments, environment);
  EXPECT_TRUE(choice.refused);
  return choice.refused ? choice.refusal : "";
}

TEST(DisplayChoice, WaylandSessionsAreSpokenToNativelyUnlessX11IsMeant) {
  EXPECT_EQ(Chosen({}, kDesktop), DisplaySystem::Wayland);
  EXPECT_EQ(Chosen({"-fullscreen", "-fps"}, kDesktop), DisplaySystem::Wayland);
  EXPECT_EQ(Chosen({"-background"}, kWaylandOnly), DisplaySystem::Wayland);
  // Whatever names an X11 window or display means X11, as do -x11, xscreensaver's window and
  // a session without Wayland.
  EXPECT_EQ(Chosen({"-root"}, kDesktop), DisplaySystem::X11);
  EXPECT_EQ(Chosen({"-window-id", "0x400001"}, kDesktop), DisplaySystem::X11);
  EXPECT_EQ(Chosen({"-display", ":1"}, kWaylandOnly), DisplaySystem::X11);
  EXPECT_EQ(Chosen({"-x11", "-fullscreen"}, kDesktop), DisplaySystem::X11);
  EXPECT_EQ(Chosen({}, kUnderXscreensaver), DisplaySystem::X11);
  EXPECT_EQ(Chosen({"-fullscreen"}, kX11Only), DisplaySystem::X11);
  // xscreensaver's window is drawn in only with -root or without a target; -wayland wins over
  // it, and -wayland asks libwayland for its default display where none is set.
  EXPECT_EQ(Chosen({"-fullscreen"}, kUnderXscreensaver), DisplaySystem::Wayland);
  EXPECT_EQ(Chosen({"-wayland"}, kUnderXscreensaver), DisplaySystem::Wayland);
  EXPECT_EQ(Chosen({"-wayland"}, kX11Only), DisplaySystem::Wayland);
  EXPECT_EQ(Chosen({"-x11", "-wayland"}, kX11Only), DisplaySystem::Wayland);
}

TEST(DisplayChoice, OptionsThatCannotBeCarriedOutAreRefusedWithTheWayOut) {
  // -root or -window-id on a Wayland desktop without Xwayland: the wallpaper is -background.
  EXPECT_NE(Refusal({"-root"}, kWaylandOnly).find("-background"), std::string::npos);
  EXPECT_NE(Refusal({"-window-id", "7"}, kWaylandOnly).find("-background"), std::string::npos);
  EXPECT_EQ(Chosen({"-root", "-display", ":1"}, kWaylandOnly), DisplaySystem::X11);
  // The wallpaper is Wayland's only.
  EXPECT_NE(Refusal({"-background", "-x11"}, kDesktop).find("-root"), std::string::npos);
  EXPECT_NE(Refusal({"-background"}, kX11Only).find("Wayland"), std::string::npos);
  EXPECT_NE(Refusal({"-wayland", "-display", ":1"}, kDesktop).find("-wayland"), std::string::npos);
  EXPECT_NE(Refusal({"-wayland", "-root"}, kDesktop).find("-wayland"), std::string::npos);
}

}  // namespace
