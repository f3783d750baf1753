#include "program/display_choice.h"

namespace {

DisplayChoice refuse(const char* why) { return DisplayChoice{true, DisplaySystem::X11, why}; }

bool isSet(const char* value) { return value != nullptr && value[0] != '\0'; }

}  // namespace

DisplayChoice chooseDisplaySystem(const DisplayFacts& facts) {
  if (facts.drawsInX11Window && !facts.x11Session && !facts.displayNamed) {
    return refuse(
        "-root and -window-id draw in an X11 window, and there is no X11 display here (DISPLAY "
        "is not set); on Wayland, -background draws on the background of every output");
  }
  const bool x11Only = facts.drawsInX11Window || facts.displayNamed;
  if (facts.request == DisplayRequest::Wayland) {
    if (x11Only) return refuse("-root, -window-id and -display are for X11, not with -wayland");
    return DisplayChoice{false, DisplaySystem::Wayland, nullptr};
  }
  const bool x11 = facts.request == DisplayRequest::X11 || x11Only || facts.xscreensaverWindow ||
                   !facts.waylandSession;
  if (x11 && facts.background) {
    return refuse(
        "-background draws on the background layer of a Wayland session; on X11, -root draws on "
        "the root window");
  }
  return DisplayChoice{false, x11 ? DisplaySystem::X11 : DisplaySystem::Wayland, nullptr};
}

DisplayFacts saverDisplayFacts(const SaverOptions& options, const SaverEnvironment& environment) {
  DisplayFacts facts{};
  facts.request = options.displayRequest;
  facts.drawsInX11Window =
      options.target == SaverTarget::RootWindow || options.target == SaverTarget::GivenWindow;
  facts.background = options.target == SaverTarget::Background;
  facts.displayNamed = !options.displayName.empty();
  facts.xscreensaverWindow = isSet(environment.xscreensaverWindow) &&
                             (!options.targetChosen || options.target == SaverTarget::RootWindow);
  facts.x11Session = isSet(environment.display);
  facts.waylandSession = isSet(environment.waylandDisplay);
  return facts;
}
