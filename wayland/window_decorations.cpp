#include "wayland/window_decorations.h"

WindowDecorations chooseWindowDecorations(SurfaceRole role, DecorationOffer offer) {
  if (role != SurfaceRole::Toplevel) return WindowDecorations::None;
  if (offer.decorationManager) return WindowDecorations::ServerSide;
  return offer.clientLibrary ? WindowDecorations::ClientSide : WindowDecorations::None;
}

ClientSize windowContentSize(ClientSize asked, ClientSize previous) {
  if (asked.width > 0 && asked.height > 0) return asked;
  if (previous.width > 0 && previous.height > 0) return previous;
  return kDefaultWindowSize;
}
