// kesh-fuzz-corpus DIR: writes the fuzzers' seed inputs, DIR/bitmap for the
// BMP reader and DIR/raw for the RAW reader: well-formed files of several
// sizes and layouts, written by the generator's encoder, and one of each
// kind of broken file.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/textures/test_bitmaps.h"

namespace {

using Named = std::vector<std::pair<std::string, Bytes>>;

Bytes patched(Bytes bytes, size_t at, uint32_t value, bool wide = true) {
  wide ? patch32(bytes, at, value) : patch16(bytes, at, value);
  return bytes;
}

Named bitmaps() {
  const Bytes small = encodeBmp(testPicture(4, 2));
  return {{"tiny-4x2", small},
          {"square-16", encodeBmp(testPicture(16, 16))},
          {"wide-40x3", encodeBmp(testPicture(40, 3))},
          {"padded-5x3", encodeBmp(testPicture(5, 3))},
          {"padded-1x1", encodeBmp(testPicture(1, 1))},
          {"top-down-8x6", topDownBmp(testPicture(8, 6))},
          {"gap-8x3", gappedBmp(testPicture(8, 3), 16)},
          {"no-offset", patched(small, dataOffsetField, 0)},
          {"planes-2", patched(small, planesField, 2, false)},
          {"depth-32", patched(small, depthField, 32, false)},
          {"depth-8", patched(small, depthField, 8, false)},
          {"planes-257", patched(small, planesField, 257, false)},
          {"depth-280", patched(small, depthField, 280, false)},
          {"short-data", cut(encodeBmp(testPicture(8, 8)), 54 + 8 * 24 - 5)},
          {"header-only", cut(small, 20)},
          {"empty", {}},
          {"width-huge", patched(small, widthField, 0xffffffffu)},
          {"size-overflow", patched(patched(small, widthField, 0x10000u), heightField, 0x10000u)},
          {"width-zero", patched(small, widthField, 0)},
          {"offset-past-end", patched(small, dataOffsetField, 0x7fffffffu)},
          {"height-most-negative", patched(small, heightField, 0x80000000u)}};
}

// A RAW fuzzer input: the control header (flags, two signed sizes) and contents.
Bytes rawInput(uint8_t flags, int32_t width, int32_t height, size_t length) {
  Bytes input = {flags};
  for (int32_t value : {width, height}) {
    for (int i = 0; i < 4; ++i) input.push_back(static_cast<uint8_t>(static_cast<uint32_t>(value) >> (8 * i)));
  }
  for (size_t i = 0; i < length; ++i) input.push_back(static_cast<uint8_t>(i * 7 + 3));
  return input;
}

// RAW inputs: square and explicit sizes that fit, miss or make no sense.
Named rawInputs() {
  constexpr uint8_t square = 0, explicitSize = 1, withSideRule = 2, nearSquare = 4;
  return {{"square-16-plus-3", rawInput(square, 0, 0, 16 * 16 * 3 + 3)},
          {"square-short", rawInput(square, 0, 0, 2)},
          {"explicit-8x4", rawInput(explicitSize, 8, 4, 8 * 4 * 3)},
          {"explicit-too-big", rawInput(explicitSize, 9, 4, 8 * 4 * 3)},
          {"explicit-negative", rawInput(explicitSize, -5, 4, 60)},
          {"explicit-half-square", rawInput(explicitSize, -1, 7, 75)},
          {"explicit-huge", rawInput(explicitSize, 0x7fffffff, 0x7fffffff, 30)},
          {"side-rule", rawInput(withSideRule, 0x7fffffff, 0x7fffffff, 12)},
          {"near-square", rawInput(nearSquare, 0x7fffffff, 5, 12)}};
}

// Writes each named file into folder, made if need be.
bool writeAll(const std::string& folder, const Named& files) {
  if (mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST) return false;
  for (const auto& [name, bytes] : files) {
    if (!writeBytes(folder + "/" + name, bytes)) return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: kesh-fuzz-corpus DIR\n");
    return 2;
  }
  const std::string root = argv[1];
  if (!writeAll(root, {}) || !writeAll(root + "/bitmap", bitmaps()) ||
      !writeAll(root + "/raw", rawInputs())) {
    std::fprintf(stderr, "kesh-fuzz-corpus: cannot write the seeds under %s\n", root.c_str());
    return 1;
  }
  return 0;
}
