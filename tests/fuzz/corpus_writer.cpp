// kesh-fuzz-corpus DIR: writes the fuzzers' seeds, DIR/bitmap (well-formed BMPs of several sizes
// and layouts from the generator's encoder, and one of each kind of broken file) and DIR/raw.
#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/textures/test_bitmaps.h"

namespace {
using Named = std::vector<std::pair<std::string, Bytes>>;

// The 4 x 2 bitmap with a 16-bit (wide: 32-bit) header field changed.
Bytes small(size_t at, uint32_t value, bool wide = false) {
  Bytes bytes = encodeBmp(testPicture(4, 2));
  patch(bytes, at, value, wide ? 4 : 2);
  return bytes;
}

const Named bitmaps = {
    {"square-16", encodeBmp(testPicture(16, 16))}, {"wide-40x3", encodeBmp(testPicture(40, 3))},
    {"padded-5x3", encodeBmp(testPicture(5, 3))}, {"padded-1x1", encodeBmp(testPicture(1, 1))},
    {"top-down-8x6", topDownBmp(testPicture(8, 6))}, {"gap-8x3", gappedBmp(testPicture(8, 3), 16)},
    {"no-offset", small(dataOffsetField, 0, true)}, {"planes-2", small(planesField, 2)},
    {"depth-32", small(depthField, 32)}, {"depth-280", small(depthField, 280)},
    {"short-data", cut(encodeBmp(testPicture(8, 8)), 54 + 8 * 24 - 5)},
    {"tiny-4x2", small(widthField, 4, true)}, {"header-only", cut(small(widthField, 4, true), 20)},
    {"empty", {}},
    {"width-huge", small(widthField, 0xffffffffu, true)},
    {"width-zero", small(widthField, 0, true)},
    {"offset-past-end", small(dataOffsetField, 0x7fffffffu, true)},
    {"height-most-negative", small(heightField, 0x80000000u, true)}};

// A RAW fuzzer input: the control header (flags, two signed 32-bit sizes) and length bytes.
Bytes raw(uint8_t flags, int32_t width, int32_t height, size_t length) {
  Bytes input(9 + length);
  input[0] = flags;
  patch(input, 1, static_cast<uint32_t>(width));
  patch(input, 5, static_cast<uint32_t>(height));
  for (size_t i = 0; i < length; ++i) input[9 + i] = static_cast<uint8_t>(i * 7 + 3);
  return input;
}

// Flags: 1 explicit size, 2 the side rule on a huge length, 4 a length near 3 x a square.
const Named raws = {
    {"square-16-plus-3", raw(0, 0, 0, 16 * 16 * 3 + 3)}, {"square-short", raw(0, 0, 0, 2)},
    {"explicit-8x4", raw(1, 8, 4, 8 * 4 * 3)}, {"explicit-too-big", raw(1, 9, 4, 8 * 4 * 3)},
    {"explicit-negative", raw(1, -5, 4, 60)}, {"explicit-half-square", raw(1, -1, 7, 75)},
    {"explicit-huge", raw(1, 0x7fffffff, 0x7fffffff, 30)},
    {"side-rule", raw(2, 0x7fffffff, 0x7fffffff, 12)}, {"near-square", raw(4, 0x7fffffff, 5, 12)}};

bool writeAll(const std::string& folder, const Named& files) {
  mkdir(folder.c_str(), 0755);  // may exist; a folder that cannot be written fails below
  for (const auto& file : files) {
    if (!writeBytes(folder + "/" + file.first, file.second)) return false;
  }
  return true;
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return std::fprintf(stderr, "usage: kesh-fuzz-corpus DIR\n"), 2;
  const std::string root = argv[1];
  mkdir(root.c_str(), 0755);
  if (!writeAll(root + "/bitmap", bitmaps) || !writeAll(root + "/raw", raws)) {
    std::fprintf(stderr, "kesh-fuzz-corpus: cannot write the seeds under %s\n", root.c_str());
    return 1;
  }
  return 0;
}
