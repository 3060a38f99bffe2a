#include "tools/frames/icon.h"

#include <cmath>
#include <cstdio>
#include <vector>

const char* const iconShot = "fire-mid-burst";
// The fused fireball in its burst ring, with the column and walkway behind it.
const SquareCut iconCut = {256, 94, 512};

namespace {

constexpr int channels = 3;
constexpr double largestByte = 255.0;

// One source pixel's share of a destination pixel along one axis.
struct Share {
  int source;
  double weight;
};

// For each of the `to` destination pixels along an axis of `from` source
// pixels, the source pixels it covers and how much of each, as fractions of
// the destination pixel's extent (they add up to 1).
std::vector<std::vector<Share>> axisShares(int from, int to) {
  const double span = static_cast<double>(from) / to;
  std::vector<std::vector<Share>> shares(to);
  for (int d = 0; d < to; ++d) {
    const double begin = d * span;
    const double end = (d + 1) * span;
    for (int s = static_cast<int>(std::floor(begin)); s < from && s < end; ++s) {
      const double covered = std::fmin(end, s + 1.0) - std::fmax(begin, static_cast<double>(s));
      if (covered > 0.0) shares[d].push_back({s, covered / span});
    }
  }
  return shares;
}

uint8_t toByte(double value) {
  return static_cast<uint8_t>(std::lround(std::fmin(std::fmax(value, 0.0), largestByte)));
}

}  // namespace

RgbImage cutSquare(const RgbImage& image, const SquareCut& cut) {
  RgbImage square;
  if (cut.size <= 0 || cut.x < 0 || cut.y < 0 || cut.x + cut.size > image.width ||
      cut.y + cut.size > image.height) {
    return square;
  }
  square.width = cut.size;
  square.height = cut.size;
  square.pixels.reserve(static_cast<size_t>(cut.size) * cut.size * channels);
  for (int y = cut.y; y < cut.y + cut.size; ++y) {
    const uint8_t* row = image.pixel(cut.x, y);
    square.pixels.insert(square.pixels.end(), row, row + static_cast<size_t>(cut.size) * channels);
  }
  return square;
}

RgbImage scaleDown(const RgbImage& image, int width, int height) {
  RgbImage scaled;
  if (width <= 0 || height <= 0 || width > image.width || height > image.height) return scaled;
  const std::vector<std::vector<Share>> columns = axisShares(image.width, width);
  const std::vector<std::vector<Share>> rows = axisShares(image.height, height);

  // Across first, into full-precision rows, then down.
  std::vector<double> across(static_cast<size_t>(width) * image.height * channels, 0.0);
  for (int y = 0; y < image.height; ++y) {
    for (int x = 0; x < width; ++x) {
      double* out = &across[(static_cast<size_t>(y) * width + x) * channels];
      for (const Share& share : columns[x]) {
        const uint8_t* in = image.pixel(share.source, y);
        for (int c = 0; c < channels; ++c) out[c] += share.weight * in[c];
      }
    }
  }
  scaled.width = width;
  scaled.height = height;
  scaled.pixels.resize(static_cast<size_t>(width) * height * channels);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      double sum[channels] = {0.0, 0.0, 0.0};
      for (const Share& share : rows[y]) {
        const double* in = &across[(static_cast<size_t>(share.source) * width + x) * channels];
        for (int c = 0; c < channels; ++c) sum[c] += share.weight * in[c];
      }
      uint8_t* out = scaled.pixel(x, y);
      for (int c = 0; c < channels; ++c) out[c] = toByte(sum[c]);
    }
  }
  return scaled;
}

std::string iconFileName(int side) { return "kesh-valdrune-" + std::to_string(side) + ".png"; }

bool writeIcons(const std::string& dir, const RgbImage& shot) {
  const RgbImage square = cutSquare(shot, iconCut);
  if (square.width == 0) {
    std::fprintf(stderr, "kesh-frames: the icon's square does not fit a %d x %d shot\n",
                 shot.width, shot.height);
    return false;
  }
  for (const int side : iconSizes) {
    if (!writePng(dir + "/" + iconFileName(side), scaleDown(square, side, side))) return false;
  }
  return true;
}
