// A window's drawing life: the creation sequence, one frame, a change of size and the release
// sequence. Each runs its steps in a fixed order on the frame driver's record; the platform calls
// among them go through the window system. The back end around them owns the rest: its settings,
// its frame timer, its events and how the process ends.
#pragma once

#include <cstdint>

#include "driver/frame_driver_state.h"
#include "driver/window_system.h"

// Every back end draws a frame on each tick of a timer with this period.
inline constexpr std::uint32_t kFramePeriodMs = 10;

// Window creation: records the size and the settings, binds GL to the window (a context made
// and made current, then the renderer chosen for it from the program's table made in it: for
// GL 1.1 the glow textures and the initial GL state) and builds the scene with a clock started at
// the current tick. Nothing about the context is checked: a window whose context could not be
// made still runs its frames, which draw nothing. False only when the scene could not be built
// (nothing of it is kept): the back end must then end the process at once.
bool RunCreationSequence(FrameDriverState& state, const WindowSystem& windowSystem, ClientSize size,
                         const Settings& settings);

// One frame: advance the clock and the scene by the clock's step, count the frame for the
// figures when asked for, let the renderer draw (clear to black, the scene with its glow under
// additive blending, ordinary blending again, the figures) and show the frame.
void RunFrame(FrameDriverState& state, const WindowSystem& windowSystem);

// RunFrame's two halves, for a back end that moves the flock on without showing every step (a
// picture held at a given time) or shows the same step again (a canvas cleared by a resize):
// AdvanceFrame ticks the clock and moves the scene; DrawFrame draws and shows it.
void AdvanceFrame(FrameDriverState& state, const WindowSystem& windowSystem);
void DrawFrame(FrameDriverState& state, const WindowSystem& windowSystem);

// Whether a size differs from the one the drawing was made for.
bool ClientSizeChanged(const FrameDriverState& state, ClientSize size);

// The window's area has a new size: the drawing adopts it before the next frame. The recorded
// size and the scene's width and height (so the aspect of its projection) become the new ones;
// with a context, the renderer adopts the new size (GL 1.1: the viewport covers the new area and
// the glow textures are made anew for the new capture size, leaving the blur texture bound, as
// creation does). The flock carries on: the
// scene and its clock are kept. Nothing happens when the size is unchanged.
void RunResizeSequence(FrameDriverState& state, ClientSize size);

// Window destruction: releases the renderer (GL 1.1: deletes the glow textures, leaving both
// names 0) while the context is still current, then makes no context current and deletes it;
// last, the scene and its clock are given back.
void RunReleaseSequence(FrameDriverState& state, const WindowSystem& windowSystem);

// The release when the window is already gone (destroyed by someone else): the same steps
// without any GL call, since the context is still bound to a drawable that no longer exists. The
// context is made not current and deleted (its textures go with it, and both names become 0),
// then the renderer's record, the scene and its clock are given back.
void RunReleaseSequenceAfterWindowLoss(FrameDriverState& state, const WindowSystem& windowSystem);
