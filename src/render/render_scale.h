// The scale of a drawing: physical pixels per pixel of the design (the 1040 x 480 diagram,
// the 680 x 340 map). At 1 the renderers draw the design's own pixels, positions rounded to
// whole pixels and nothing smoothed; at any other scale they draw the same figure with
// unrounded positions, smoothed edges and the pictures smoothly scaled.
#pragma once

#include <algorithm>
#include <cmath>

namespace varomintel {

inline constexpr double kMinRenderScale = 0.25;
inline constexpr double kMaxRenderScale = 8.0;

// The scale a renderer uses for a requested one: held within 0.25..8; 1 when it is not a
// finite number.
inline double UsableRenderScale(double scale) {
  return std::isfinite(scale) ? std::clamp(scale, kMinRenderScale, kMaxRenderScale) : 1.0;
}

// A design length in physical pixels: round(length * scale), at least 1.
inline int ScaledLength(int length, double scale) {
  return std::max(1, static_cast<int>(std::lround(length * UsableRenderScale(scale))));
}

}  // namespace varomintel
