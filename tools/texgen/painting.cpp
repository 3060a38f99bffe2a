#include "tools/texgen/painting.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float edgeSoftness = 1.0f;  // pixels over which a painted edge fades out
constexpr float lightX = -0.55f, lightY = -0.55f, lightZ = 0.63f;  // unit vector, upper left

}  // namespace

void paintDisc(ColorImage& image, float cx, float cy, float radius, Color color, float opacity) {
  const int x0 = static_cast<int>(std::floor(cx - radius - edgeSoftness));
  const int x1 = static_cast<int>(std::ceil(cx + radius + edgeSoftness));
  const int y0 = static_cast<int>(std::floor(cy - radius - edgeSoftness));
  const int y1 = static_cast<int>(std::ceil(cy + radius + edgeSoftness));
  for (int y = y0; y <= y1; ++y) {
    for (int x = x0; x <= x1; ++x) {
      const float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy);
      const float cover = clamp01((radius + edgeSoftness * 0.5f - d) / edgeSoftness);
      if (cover <= 0) continue;
      Color& pixel = image.wrapped(x, y);
      pixel = mix(pixel, color, cover * opacity);
    }
  }
}

void paintStroke(ColorImage& image, float x0, float y0, float x1, float y1, float w0, float w1,
                 Color c0, Color c1, float opacity) {
  const float reach = std::max(w0, w1) + edgeSoftness;
  const int left = static_cast<int>(std::floor(std::min(x0, x1) - reach));
  const int right = static_cast<int>(std::ceil(std::max(x0, x1) + reach));
  const int top = static_cast<int>(std::floor(std::min(y0, y1) - reach));
  const int bottom = static_cast<int>(std::ceil(std::max(y0, y1) + reach));
  const float dx = x1 - x0, dy = y1 - y0;
  const float lengthSquared = std::max(dx * dx + dy * dy, 1e-6f);
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) {
      const float px = x + 0.5f - x0, py = y + 0.5f - y0;
      const float t = clamp01((px * dx + py * dy) / lengthSquared);
      const float d = std::hypot(px - t * dx, py - t * dy);
      const float halfWidth = w0 + (w1 - w0) * t;
      const float cover = clamp01((halfWidth + edgeSoftness * 0.5f - d) / edgeSoftness);
      if (cover <= 0) continue;
      Color& pixel = image.wrapped(x, y);
      pixel = mix(pixel, mix(c0, c1, t), cover * opacity);
    }
  }
}

void applyRelief(ColorImage& image, const FloatField& height, float strength) {
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < image.width; ++x) {
      const float sx = (height.wrapped(x + 1, y) - height.wrapped(x - 1, y)) * 0.5f * strength;
      const float sy = (height.wrapped(x, y + 1) - height.wrapped(x, y - 1)) * 0.5f * strength;
      const float length = std::sqrt(sx * sx + sy * sy + 1);
      const float lit = (-sx * lightX - sy * lightY + lightZ) / (length * lightZ);
      image.at(x, y) = image.at(x, y) * std::max(0.0f, lit);
    }
  }
}

Color rampColor(std::initializer_list<RampStop> stops, float t) {
  const RampStop* previous = stops.begin();
  if (t <= previous->at) return previous->color;
  for (const RampStop* stop = previous + 1; stop != stops.end(); previous = stop++) {
    if (t <= stop->at) return mix(previous->color, stop->color, (t - previous->at) / (stop->at - previous->at));
  }
  return previous->color;
}
