// libFuzzer target for the BMP reader. Each input is written to a file and
// read with readBitmap; the result is then checked against the file's bytes:
// an input is accepted exactly when its header describes a 24-bit image of
// sensible size whose rows the file holds, and an accepted image carries the
// file's pixels, turned to red-green-blue and bottom row first.
#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "assets/bitmap_file.h"
#include "tests/fuzz/fuzz_input_file.h"

namespace {

constexpr size_t dataOffsetAt = 10, widthAt = 18, heightAt = 22, planesAt = 26, depthAt = 28;
constexpr uint32_t topDownBit = 0x80000000u;
constexpr uint64_t bytesPerPixel = 3, rowAlignment = 4;

// A little-endian field of count bytes at offset; bytes past the end read as 0.
uint32_t field(const uint8_t* data, size_t size, size_t offset, int count) {
  uint32_t value = 0;
  for (int i = count - 1; i >= 0; --i) {
    const size_t at = offset + static_cast<size_t>(i);
    value = (value << 8) | (at < size ? data[at] : 0u);
  }
  return value;
}

// What the header describes, worked out from the bytes alone.
struct Layout {
  uint32_t width = 0, rows = 0;
  bool topDown = false, usable = false;
  uint64_t offset = 0, stride = 0;
};

// The layout the bytes describe, and whether the reader must accept them.
Layout layoutOf(const uint8_t* data, size_t size) {
  Layout layout;
  const uint32_t heightField = field(data, size, heightAt, 4);
  layout.width = field(data, size, widthAt, 4);
  layout.topDown = (heightField & topDownBit) != 0;
  layout.rows = layout.topDown ? 0u - heightField : heightField;
  layout.offset = std::max<uint64_t>(field(data, size, dataOffsetAt, 4), bitmapHeaderBytes);
  layout.stride = (layout.width * bytesPerPixel + rowAlignment - 1) / rowAlignment * rowAlignment;
  const bool sized = layout.width >= 1 && layout.width <= maxBitmapSide && layout.rows >= 1 &&
                     layout.rows <= maxBitmapSide;
  layout.usable = field(data, size, planesAt, 2) == 1 && field(data, size, depthAt, 2) == 24 &&
                  sized && layout.offset + layout.stride * layout.rows <= size;
  return layout;
}

// Every pixel of the image against the stored blue-green-red triple it came from.
void checkPixels(const uint8_t* data, const Layout& layout, const BitmapImage& image) {
  require(image.width == layout.width && image.height == layout.rows, "size taken from header");
  require(image.pixels != nullptr, "pixels delivered");
  for (uint32_t row = 0; row < layout.rows; ++row) {
    const uint32_t stored = layout.topDown ? layout.rows - 1 - row : row;
    const uint8_t* source = data + layout.offset + stored * layout.stride;
    const uint8_t* target = image.pixels.get() + uint64_t{row} * layout.width * bytesPerPixel;
    for (uint32_t x = 0; x < layout.width; ++x) {
      for (uint32_t c = 0; c < bytesPerPixel; ++c) {
        require(target[x * bytesPerPixel + c] == source[x * bytesPerPixel + 2 - c],
                "pixels are the file's, red-green-blue, bottom row first");
      }
    }
  }
}

}  // namespace

// Silences standard output, where the reader reports every failure: the
// fuzzer has no use for the messages and they would slow it down.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  if (!std::freopen("/dev/null", "w", stdout)) return 1;
  return 0;
}

// Reads one input as a bitmap file and checks the outcome against its bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& path = writeInputFile(data, size);
  BitmapImage image;
  const int result = readBitmap(path.c_str(), image);
  const Layout layout = layoutOf(data, size);
  require(result == (layout.usable ? 1 : 0), "accepted exactly when usable");
  if (result == 1) checkPixels(data, layout, image);
  return 0;
}
