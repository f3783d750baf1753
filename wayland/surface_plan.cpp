#include "wayland/surface_plan.h"

namespace {

std::int32_t atLeastOne(std::int32_t value) { return value < 1 ? 1 : value; }

std::int32_t nonNegative(std::int32_t value) { return value < 0 ? 0 : value; }

// length × scale / 120, half away from zero, for lengths of 0 or more.
std::int32_t scaledBy120(std::int32_t length, std::uint32_t scale120) {
  const std::uint64_t product = static_cast<std::uint64_t>(nonNegative(length)) * scale120;
  return static_cast<std::int32_t>((product + 60) / 120);
}

}  // namespace

SurfaceRole chooseSurfaceRole(WaylandMode mode, ShellOffer offer) {
  switch (mode) {
    case WaylandMode::FullScreen:
      if (offer.layerShell) return SurfaceRole::OverlayLayer;
      return offer.xdgWmBase ? SurfaceRole::FullscreenToplevel : SurfaceRole::None;
    case WaylandMode::Background:
      return offer.layerShell ? SurfaceRole::BackgroundLayer : SurfaceRole::None;
    case WaylandMode::Window:
      return offer.xdgWmBase ? SurfaceRole::Toplevel : SurfaceRole::None;
  }
  return SurfaceRole::None;
}

const char* surfaceRoleRefusal(WaylandMode mode, ShellOffer offer) {
  if (mode == WaylandMode::Background) {
    return "-background needs a compositor with the layer-shell protocol (zwlr_layer_shell_v1), "
           "and this one has none";
  }
  if (!offer.xdgWmBase && !offer.layerShell) {
    return "the compositor offers neither layer-shell nor xdg-shell surfaces";
  }
  return "the compositor offers no xdg-shell windows (xdg_wm_base)";
}

bool roleCoversEachOutput(SurfaceRole role) {
  return role == SurfaceRole::OverlayLayer || role == SurfaceRole::BackgroundLayer ||
         role == SurfaceRole::FullscreenToplevel;
}

ClientSize outputLogicalSize(const OutputFacts& output) {
  if (output.logicalKnown) return output.logicalSize;
  const bool quarterTurn = (output.transform & 1) != 0;
  const std::int32_t width =
      nonNegative(quarterTurn ? output.modeSize.height : output.modeSize.width);
  const std::int32_t height =
      nonNegative(quarterTurn ? output.modeSize.width : output.modeSize.height);
  const std::int32_t scale = atLeastOne(output.scale);
  return ClientSize{(width + scale - 1) / scale, (height + scale - 1) / scale};
}

ClientSize surfaceLogicalSize(SurfaceRole role, ClientSize configured, ClientSize outputLogical) {
  const ClientSize fallback = role == SurfaceRole::Toplevel ? kDefaultWindowSize : outputLogical;
  return ClientSize{configured.width > 0 ? configured.width : fallback.width,
                    configured.height > 0 ? configured.height : fallback.height};
}

SurfaceBuffer surfaceBuffer(ClientSize logical, SurfaceScale scale) {
  if (scale.preferredScale120 != 0 && scale.viewporter && logical.width > 0 && logical.height > 0) {
    return SurfaceBuffer{ClientSize{scaledBy120(logical.width, scale.preferredScale120),
                                    scaledBy120(logical.height, scale.preferredScale120)},
                         1, true};
  }
  const std::int32_t factor = atLeastOne(scale.bufferScale);
  return SurfaceBuffer{
      ClientSize{nonNegative(logical.width) * factor, nonNegative(logical.height) * factor}, factor,
      false};
}

std::int32_t surfaceIntegerScale(std::int32_t coveredScale, std::uint32_t entered,
                                 const std::int32_t* scales, int slots) {
  if (coveredScale != 0) return atLeastOne(coveredScale);
  std::int32_t scale = 1;
  for (int i = 0; i < slots && i < 32; ++i) {
    if ((entered & (1u << i)) != 0 && scales[i] > scale) scale = scales[i];
  }
  return scale;
}

bool surfaceMayDraw(const SurfacePacing& pacing, ClientSize bufferSize) {
  return pacing.configured && !pacing.frameOutstanding && bufferSize.width > 0 &&
         bufferSize.height > 0;
}

SwapOutcome surfaceSwapOutcome(bool swapped, SwapFailures before, std::uint32_t nowMs) {
  if (swapped) return SwapOutcome{true, SwapFailures{0, 0}, false};
  const SwapFailures failures{before.count + 1, before.count == 0 ? nowMs : before.firstMs};
  const bool givesUp =
      failures.count >= kSwapFailuresToGiveUp && nowMs - failures.firstMs >= kSwapFailingMsToGiveUp;
  return SwapOutcome{false, failures, givesUp};
}
