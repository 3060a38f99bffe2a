#include "tools/texgen/color_image.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr float byteScale = 255.0f;

int wrapIndex(int i, int n) { return ((i % n) + n) % n; }

uint8_t toByte(float channel) {
  return static_cast<uint8_t>(std::lround(clamp01(channel) * byteScale));
}

}  // namespace

Color operator+(Color a, Color b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
Color operator-(Color a, Color b) { return {a.r - b.r, a.g - b.g, a.b - b.b}; }
Color operator*(Color a, float s) { return {a.r * s, a.g * s, a.b * s}; }
Color operator*(Color a, Color b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }

Color mix(Color a, Color b, float t) { return a + (b - a) * t; }

float luminance(Color c) { return 0.299f * c.r + 0.587f * c.g + 0.114f * c.b; }

float clamp01(float x) { return std::min(1.0f, std::max(0.0f, x)); }

float smoothStep(float edge0, float edge1, float x) {
  const float t = clamp01((x - edge0) / (edge1 - edge0));
  return t * t * (3 - 2 * t);
}

ColorImage::ColorImage(int w, int h, Color fill)
    : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}

Color& ColorImage::wrapped(int x, int y) { return at(wrapIndex(x, width), wrapIndex(y, height)); }

FloatField::FloatField(int w, int h, float fill)
    : width(w), height(h), values(static_cast<size_t>(w) * h, fill) {}

float FloatField::wrapped(int x, int y) const {
  return at(wrapIndex(x, width), wrapIndex(y, height));
}

std::vector<uint8_t> toRgbBytes(const ColorImage& image) {
  std::vector<uint8_t> bytes;
  bytes.reserve(image.pixels.size() * 3);
  for (const Color& c : image.pixels) {
    bytes.push_back(toByte(c.r));
    bytes.push_back(toByte(c.g));
    bytes.push_back(toByte(c.b));
  }
  return bytes;
}
