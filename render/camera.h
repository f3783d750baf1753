// The camera both renderers look at the cube through: a perspective of this vertical field of
// view for the window's aspect, between these planes (the cube centred, doubled, turned by the
// scene's angles and pushed back to its cameraZ).
#pragma once

inline constexpr double kCameraFieldOfViewDegrees = 35.0;
inline constexpr double kCameraNearPlane = 0.4;
inline constexpr double kCameraFarPlane = 12.0;
