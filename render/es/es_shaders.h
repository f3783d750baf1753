// The ES renderer's shaders, within what WebGL 2 offers.
#pragma once

// A line's alpha is raised by its length over its longer side on the screen: an unsmoothed line
// lights one pixel per step along that side, where a smoothed one covers its whole length. A
// zero viewport leaves the alpha as it is (see DrawLines).
inline constexpr char kLineVertex[] = R"(#version 300 es
layout(location = 0) in vec4 aPoint;
layout(location = 1) in vec3 aOther;
uniform mat4 uMatrix;
uniform vec3 uColor;
uniform vec2 uViewport;
out vec4 vColor;
vec4 place(vec3 p) {
  if ((gl_InstanceID & 1) != 0) p.x = 1.0 - p.x;
  if ((gl_InstanceID & 2) != 0) p.y = 1.0 - p.y;
  if ((gl_InstanceID & 4) != 0) p.z = 1.0 - p.z;
  return uMatrix * vec4(p, 1.0);
}
void main() {
  vec4 here = place(aPoint.xyz);
  vec4 there = place(aOther);
  vec2 step = (here.xy / here.w - there.xy / there.w) * uViewport;
  float longer = max(abs(step.x), abs(step.y));
  float share = longer > 0.0 ? length(step) / longer : 1.0;
  gl_Position = here;
  vColor = vec4(uColor, aPoint.w * share);
}
)";

inline constexpr char kColorFragment[] = R"(#version 300 es
precision highp float;
in vec4 vColor;
out vec4 outColor;
void main() { outColor = vColor; }
)";

// The unit square over the viewport, texture coordinates with it.
inline constexpr char kQuadVertex[] = R"(#version 300 es
layout(location = 0) in vec2 aCorner;
out vec2 vTexture;
void main() {
  vTexture = aCorner;
  gl_Position = vec4(aCorner * 2.0 - 1.0, 0.0, 1.0);
}
)";

// One direction of the blur, by the processor blur's rules: each tap a linear sample clamped to
// the square and black beyond it, scaled by 0.2 and rounded to 8 bits; the horizontal pass takes
// a fifth of the pixel itself (from the capture's green), the vertical one all of it (from the
// horizontal result's red); the sum saturates.
inline constexpr char kBlurFragment[] = R"(#version 300 es
precision highp float;
precision highp int;
uniform highp sampler2D uSource;
uniform int uVertical;
uniform int uSide;
uniform float uOffsets[8];
out vec4 outColor;
float level(ivec2 p) {
  if (p.x < 0 || p.y < 0 || p.x >= uSide || p.y >= uSide) return 0.0;
  vec4 t = texelFetch(uSource, p, 0);
  return floor((uVertical != 0 ? t.r : t.g) * 255.0 + 0.5);
}
void main() {
  ivec2 here = ivec2(gl_FragCoord.xy);
  ivec2 axis = uVertical != 0 ? ivec2(0, 1) : ivec2(1, 0);
  int position = uVertical != 0 ? here.y : here.x;
  float own = level(here);
  float sum = uVertical != 0 ? own : roundEven(own * 0.2);
  for (int tap = 0; tap < 8; ++tap) {
    float u = clamp(float(position) + uOffsets[tap], -0.5, float(uSide) - 0.5);
    float below = floor(u);
    ivec2 a = here + axis * (int(below) - position);
    float first = level(a);
    float value = first + (u - below) * (level(a + axis) - first);
    sum += roundEven(value * 0.2);
  }
  outColor = vec4(min(sum, 255.0) / 255.0, 0.0, 0.0, 1.0);
}
)";

// The halo stretched over the window, tinted; beyond the texture's edge it fades to black, as
// the GL 1.1 renderer's clamped texture does.
inline constexpr char kCompositeFragment[] = R"(#version 300 es
precision highp float;
uniform sampler2D uHalo;
uniform vec4 uTint;
uniform float uSide;
in vec2 vTexture;
out vec4 outColor;
void main() {
  vec2 p = vTexture * uSide;
  vec2 edge = clamp(p + 0.5, 0.0, 1.0) * clamp(uSide + 0.5 - p, 0.0, 1.0);
  float halo = texture(uHalo, vTexture).r * edge.x * edge.y;
  outColor = vec4(uTint.rgb * halo, uTint.a);
}
)";

inline constexpr char kFigureVertex[] = R"(#version 300 es
layout(location = 0) in vec4 aFigure;
uniform vec2 uSize;
out vec2 vTexel;
void main() {
  vTexel = aFigure.zw;
  gl_Position = vec4(aFigure.xy / uSize * 2.0 - 1.0, 0.0, 1.0);
}
)";

inline constexpr char kFigureFragment[] = R"(#version 300 es
precision highp float;
uniform highp sampler2D uGlyphs;
in vec2 vTexel;
out vec4 outColor;
void main() {
  if (texelFetch(uGlyphs, ivec2(vTexel), 0).r < 0.5) discard;
  outColor = vec4(1.0);
}
)";
