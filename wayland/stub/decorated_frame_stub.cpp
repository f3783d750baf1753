// Built without libdecor: the window is decorated only where the compositor draws decorations.
#include "wayland/client/wayland_client.h"

const bool kDecorationLibraryBuilt = false;

bool MakeLibraryFrame(WaylandClient&, SaverSurface&) { return false; }

void DropLibraryFrame(SaverSurface& s) { s.frame = nullptr; }

void CloseDecorationLibrary(WaylandClient&) {}
