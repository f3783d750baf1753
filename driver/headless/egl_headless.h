// The headless window's OpenGL ES 3 context: EGL on Mesa's surfaceless platform, drawing into a
// framebuffer object of the window's size whose pixels each swap reads back into the window's
// memory, so the ES renderer is seen as the OSMesa one is.
#pragma once

#include <cstdint>

// Makes the context and its framebuffer, not yet current; with samples above 1 the framebuffer
// is multisampled (as a window's may be) and each swap resolves it before reading. Null when EGL
// offers no ES 3 context.
void* EglHeadlessCreate(std::int32_t width, std::int32_t height, std::int32_t samples);
// Makes the context current with its framebuffer bound, or no context current.
void EglHeadlessMakeCurrent(void* context, bool current);
// The framebuffer anew for a size (its picture black); the context must be current.
void EglHeadlessResize(void* context, std::int32_t width, std::int32_t height);
// Finishes the drawing and reads the framebuffer into pixels (RGBA, bottom row first).
void EglHeadlessSwap(void* context, std::uint8_t* pixels, std::int32_t width, std::int32_t height);
// Whether the context is the one current on this thread.
bool EglHeadlessIsCurrent(void* context);
// Deletes the context (made not current first when it is).
void EglHeadlessDestroy(void* context);
