// Floating-point RGB pictures the texture recipes paint into, and their
// conversion to 8-bit rows.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// A linear colour, each channel nominally 0..1.
struct Color {
  float r = 0, g = 0, b = 0;
};

Color operator+(Color a, Color b);
Color operator-(Color a, Color b);
Color operator*(Color a, float s);
Color operator*(Color a, Color b);

// a at t = 0, b at t = 1.
Color mix(Color a, Color b, float t);

// Rec. 601 brightness of a colour.
float luminance(Color c);

float clamp01(float x);

// 0 below edge0, 1 above edge1, a smooth S between.
float smoothStep(float edge0, float edge1, float x);

// A picture of width x height colours, rows top to bottom.
struct ColorImage {
  int width = 0;
  int height = 0;
  std::vector<Color> pixels;

  ColorImage() = default;
  ColorImage(int w, int h, Color fill = {});
  Color& at(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
  const Color& at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  // The pixel at (x, y) with both coordinates wrapped into the picture.
  Color& wrapped(int x, int y);
};

// A grey-level field the size of a picture (heights, masks), rows top to bottom.
struct FloatField {
  int width = 0;
  int height = 0;
  std::vector<float> values;

  FloatField() = default;
  FloatField(int w, int h, float fill = 0);
  float& at(int x, int y) { return values[static_cast<size_t>(y) * width + x]; }
  float at(int x, int y) const { return values[static_cast<size_t>(y) * width + x]; }
  float wrapped(int x, int y) const;
};

// Sets every pixel to shade(u, v), u and v the pixel centre in 0..1.
template <typename Shade>
void fillImage(ColorImage& image, Shade shade) {
  for (int y = 0; y < image.height; ++y) {
    const float v = (y + 0.5f) / image.height;
    for (int x = 0; x < image.width; ++x) image.at(x, y) = shade((x + 0.5f) / image.width, v);
  }
}

// Sets every value to sample(u, v), u and v the pixel centre in 0..1.
template <typename Sample>
void fillField(FloatField& field, Sample sample) {
  for (int y = 0; y < field.height; ++y) {
    const float v = (y + 0.5f) / field.height;
    for (int x = 0; x < field.width; ++x) field.at(x, y) = sample((x + 0.5f) / field.width, v);
  }
}

// 8-bit RGB bytes of the picture, rows top to bottom, channels clamped and
// rounded.
std::vector<uint8_t> toRgbBytes(const ColorImage& image);
