// kesh-fuzz-corpus DIR: writes the fuzzers' seed inputs, DIR/bitmap for the
// BMP reader and DIR/raw for the RAW reader: well-formed files of several
// sizes and layouts and one of each kind of broken file.
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/textures/bmp_maker.h"

namespace {

using Bytes = std::vector<uint8_t>;

constexpr size_t dataOffsetFieldOffset = 10;
constexpr size_t planesFieldOffset = 26;
constexpr size_t depthFieldOffset = 28;
// The height field of rows stored top row first.
constexpr uint32_t topDown(uint32_t rows) { return 0u - rows; }

// Makes the folder unless it exists; false if it cannot be made.
bool makeFolder(const std::string& path) {
  return mkdir(path.c_str(), 0755) == 0 || errno == EEXIST;
}

// Writes bytes as the file at path; false if that fails.
bool writeFile(const std::string& path, const Bytes& bytes) {
  std::FILE* out = std::fopen(path.c_str(), "wb");
  if (!out) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
  return std::fclose(out) == 0 && written;
}

// A well-formed bitmap of width x height (a negative height: rows top-down).
BmpLayout sized(uint32_t width, uint32_t heightField) {
  BmpLayout layout;
  layout.widthField = width;
  layout.heightField = heightField;
  return layout;
}

// Well-formed bitmaps: several sizes, padded rows, top-down rows, longer headers.
std::vector<std::pair<std::string, Bytes>> goodBitmaps() {
  BmpLayout gap = sized(8, 3);
  gap.gapBytes = 16;
  BmpLayout noOffset = sized(4, 4);
  noOffset.recordDataOffset = false;
  return {{"tiny-4x2", buildBmp(sized(4, 2))},     {"square-16", buildBmp(sized(16, 16))},
          {"square-32", buildBmp(sized(32, 32))},  {"wide-40x3", buildBmp(sized(40, 3))},
          {"padded-5x3", buildBmp(sized(5, 3))},   {"padded-1x1", buildBmp(sized(1, 1))},
          {"top-down-8x6", buildBmp(sized(8, topDown(6)))},
          {"gap-8x3", buildBmp(gap)},              {"no-offset-4x4", buildBmp(noOffset)}};
}

// One bitmap of each way a file can be unusable.
std::vector<std::pair<std::string, Bytes>> brokenBitmaps() {
  BmpLayout planes = sized(4, 2);
  planes.planes = 2;
  BmpLayout deep = sized(4, 2);
  deep.bitsPerPixel = 32;
  BmpLayout paletted = sized(4, 2);
  paletted.bitsPerPixel = 8;
  BmpLayout shortData = sized(8, 8);
  shortData.dataBytesDropped = 5;
  Bytes headerOnly = buildBmp(sized(4, 2));
  headerOnly.resize(20);
  Bytes huge = buildBmp(sized(4, 2));
  patch32(huge, widthFieldOffset, 0xffffffffu);
  Bytes overflowing = buildBmp(sized(4, 2));
  patch32(overflowing, widthFieldOffset, 0x10000u);
  patch32(overflowing, heightFieldOffset, 0x10000u);
  Bytes zeroWidth = buildBmp(sized(4, 2));
  patch32(zeroWidth, widthFieldOffset, 0);
  Bytes offsetPastEnd = buildBmp(sized(4, 2));
  patch32(offsetPastEnd, dataOffsetFieldOffset, 0x7fffffffu);
  Bytes mostNegative = buildBmp(sized(4, 2));
  patch32(mostNegative, heightFieldOffset, 0x80000000u);
  Bytes oddPlanesField = buildBmp(sized(4, 2));
  oddPlanesField[planesFieldOffset + 1] = 1;  // 257
  Bytes oddDepthField = buildBmp(sized(4, 2));
  oddDepthField[depthFieldOffset + 1] = 1;  // 280
  return {{"planes-2", buildBmp(planes)},    {"depth-32", buildBmp(deep)},
          {"depth-8", buildBmp(paletted)},   {"short-data", buildBmp(shortData)},
          {"header-only", headerOnly},       {"empty", {}},
          {"width-huge", huge},              {"size-overflow", overflowing},
          {"width-zero", zeroWidth},         {"offset-past-end", offsetPastEnd},
          {"height-most-negative", mostNegative},
          {"planes-257", oddPlanesField},    {"depth-280", oddDepthField}};
}

// A RAW fuzzer input: the control header (flags, two signed sizes) and contents.
Bytes rawInput(uint8_t flags, int32_t width, int32_t height, size_t length) {
  Bytes input = {flags};
  for (int32_t value : {width, height}) {
    const uint32_t bits = static_cast<uint32_t>(value);
    for (int i = 0; i < 4; ++i) input.push_back(static_cast<uint8_t>(bits >> (8 * i)));
  }
  for (size_t i = 0; i < length; ++i) input.push_back(static_cast<uint8_t>(i * 7 + 3));
  return input;
}

// RAW inputs: square and explicit sizes that fit, miss or make no sense.
std::vector<std::pair<std::string, Bytes>> rawInputs() {
  constexpr uint8_t square = 0, explicitSize = 1, withSideRule = 2, nearSquare = 4;
  return {{"square-16", rawInput(square, 0, 0, 16 * 16 * 3)},
          {"square-16-plus-3", rawInput(square, 0, 0, 16 * 16 * 3 + 3)},
          {"square-short", rawInput(square, 0, 0, 2)},
          {"empty", rawInput(square, 0, 0, 0)},
          {"explicit-8x4", rawInput(explicitSize, 8, 4, 8 * 4 * 3)},
          {"explicit-too-big", rawInput(explicitSize, 9, 4, 8 * 4 * 3)},
          {"explicit-negative", rawInput(explicitSize, -5, 4, 60)},
          {"explicit-half-square", rawInput(explicitSize, -1, 7, 75)},
          {"explicit-huge", rawInput(explicitSize, 0x7fffffff, 0x7fffffff, 30)},
          {"side-rule", rawInput(withSideRule, 0x7fffffff, 0x7fffffff, 12)},
          {"near-square", rawInput(nearSquare, 0x7fffffff, 5, 12)}};
}

// Writes each named file into folder, made if need be, with the extension.
bool writeAll(const std::string& folder, const std::vector<std::pair<std::string, Bytes>>& files,
              const char* extension) {
  if (!makeFolder(folder)) return false;
  for (const auto& [name, bytes] : files) {
    if (!writeFile(folder + "/" + name + extension, bytes)) return false;
  }
  return true;
}

}  // namespace

// Writes every seed under the folder given.
int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: kesh-fuzz-corpus DIR\n");
    return 2;
  }
  const std::string root = argv[1];
  const bool written = makeFolder(root) && writeAll(root + "/bitmap", goodBitmaps(), ".bmp") &&
                       writeAll(root + "/bitmap", brokenBitmaps(), ".bmp") &&
                       writeAll(root + "/raw", rawInputs(), ".in");
  if (!written) {
    std::fprintf(stderr, "kesh-fuzz-corpus: cannot write the seeds under %s\n", root.c_str());
    return 1;
  }
  return 0;
}
