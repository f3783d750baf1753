// The saver window's drawing life: the creation sequence, one frame, and the release sequence.
// Each runs its steps in a fixed order on the frame driver's record; the platform calls among
// them go through the window system.
#pragma once

#include <cstdint>

#include "display/frame_driver_state.h"
#include "display/window_system.h"

// The frame timer: identifier 1, every 10 ms.
inline constexpr std::uint32_t FrameTimerId = 1;
inline constexpr std::uint32_t FrameTimerPeriodMs = 10;

// Window creation: records the client size, reads the settings, binds GL to the window, sets the
// initial GL state, builds the scene and starts the frame timer. Nothing is checked: a window
// whose context could not be made still gets its timer, and its frames draw nothing.
void RunCreationSequence(FrameDriverState& state, const WindowSystem& windowSystem);

// Takes the window's device context, sets the best-scoring pixel format, creates the GL context
// and makes it current, then has the glow textures made in it.
void CreateRenderContext(FrameDriverState& state, const WindowSystem& windowSystem);

// The initial GL state for the recorded client size, then the scene: a new frame clock started at
// the current tick (which seeds the random numbers) and a new scene from the settings and the
// client size. When the scene cannot be built the process ends with status -1. The current
// context's projection and view matrices are left alone: every drawing pass loads its own.
void InitialiseGlState(FrameDriverState& state, const WindowSystem& windowSystem);

// One frame: advance the clock and the scene by the clock's step, clear to black, draw the scene
// with its glow under additive blending, return to ordinary blending and show the frame.
void RunFrame(FrameDriverState& state, const WindowSystem& windowSystem);

// Whether a client size differs from the one the drawing was made for.
bool ClientSizeChanged(const FrameDriverState& state, ClientSize size);

// The window's client area has a new size: the drawing adopts it before the next frame. The
// recorded size and the scene's width and height (so the aspect of its projection) become the
// new ones; with a context, the viewport covers the new area and the glow textures are made
// anew for the new capture size (leaving the blur texture bound, as creation does). The flock
// carries on: the scene and its clock are kept. Nothing happens when the size is unchanged.
void RunResizeSequence(FrameDriverState& state, ClientSize size);

// Window destruction: stops the frame timer, deletes the glow textures (leaving both names 0)
// while the context is still current, then releases the context and the device context.
void RunReleaseSequence(FrameDriverState& state, const WindowSystem& windowSystem);

// The release when the window is already gone (destroyed by someone else): the same steps
// without any GL call, since the context is still bound to a drawable that no longer exists.
// The timer stops, the context is made not current and deleted (its textures go with it, and
// both names become 0), and the device context is released.
void RunReleaseSequenceAfterWindowLoss(FrameDriverState& state, const WindowSystem& windowSystem);
