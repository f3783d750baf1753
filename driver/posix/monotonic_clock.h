// The Linux savers' tick count: milliseconds of the monotonic clock, wrapping at 2^32, as the
// frame clock and the frame timers read it.
#pragma once

#include <cstdint>

std::uint32_t MonotonicTickMs();
