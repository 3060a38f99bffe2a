// libFuzzer target for readBitmap: an input is accepted exactly when its header describes a
// 24-bit image of sensible size whose rows the file holds, and then yields the file's pixels,
// red-green-blue, bottom row first.
#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "assets/bitmap_file.h"
#include "tests/fuzz/fuzz_input_file.h"

// Silences the reader's messages on standard output: they would slow the fuzzer down.
extern "C" int LLVMFuzzerInitialize(int*, char***) {
  return std::freopen("/dev/null", "w", stdout) ? 0 : 1;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string& path = writeInputFile(data, size);
  BitmapImage image;
  const int result = readBitmap(path.c_str(), image);
  // The layout the header describes: offset 10, width 18, height 22, planes 26, depth 28.
  const auto field = [&](size_t at, int count) { return littleEndian(data, size, at, count); };
  const uint64_t width = field(18, 4), heightField = field(22, 4);
  const bool topDown = heightField >= 0x80000000u;
  const uint64_t rows = topDown ? 0x100000000u - heightField : heightField;
  const uint64_t offset = std::max<uint64_t>(field(10, 4), bitmapHeaderBytes);
  const uint64_t stride = (width * 3 + 3) / 4 * 4;
  const bool usable = field(26, 2) == 1 && field(28, 2) == 24 && width >= 1 &&
                      width <= maxBitmapSide && rows >= 1 && rows <= maxBitmapSide &&
                      offset + stride * rows <= size;
  require(result == (usable ? 1 : 0), "accepted exactly when usable");
  if (result != 1) return 0;
  require(image.width == width && image.height == rows && image.pixels, "size from the header");
  for (uint64_t row = 0; row < rows; ++row) {
    const uint8_t* source = data + offset + (topDown ? rows - 1 - row : row) * stride;
    const uint8_t* target = image.pixels.get() + row * width * 3;
    for (uint64_t i = 0; i < width * 3; ++i) {
      require(target[i] == source[i - i % 3 + 2 - i % 3],
              "pixels are the file's, red-green-blue, bottom row first");
    }
  }
  return 0;
}
