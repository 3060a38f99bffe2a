// libFuzzer target for the RAW reader. An input is a 9-byte control header and the file's
// contents. Byte 0, bit 0: ask for the two signed 32-bit sizes in bytes 1 to 8, else -1 x -1 (a
// square from the length). Bits 1 and 2 also check the square-side rule on huge lengths taken
// from bytes 1 to 8: as a 63-bit length, or within a few bytes of three times a perfect square.
#include <cstdint>
#include <cstring>

#include "assets/raw_file.h"
#include "tests/fuzz/fuzz_input_file.h"

namespace {
constexpr size_t controlBytes = 9;
constexpr uint8_t explicitSizeFlag = 1, sideRuleFlag = 2, nearSquareFlag = 4;
constexpr uint64_t bytesPerPixel = 3, largestFileLength = 0x7fffffffffffffffu;  // ftell's most
constexpr uint64_t largestSide = 1753413056;  // 3 x its square still fits largestFileLength
constexpr uint64_t nearSquareSpread = 9;       // lengths from 3 x side^2 - 4 to + 4

// side is the square side of a file of length bytes: side^2 <= length / 3 < (side + 1)^2.
bool isSquareSide(uint64_t side, uint64_t length) {
  const uint64_t pixels = length / bytesPerPixel;
  return side * side <= pixels && (side + 1) * (side + 1) > pixels;
}

void checkSquareSide(uint64_t length) {
  const int side = rawSquareSide(length);
  require(side >= 0 && isSquareSide(static_cast<uint64_t>(side), length), "square side rule");
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const uint8_t flags = size > 0 ? data[0] : 0;
  const uint64_t numbers = littleEndian(data, size, 1, 8);  // the control header's
  if (flags & sideRuleFlag) checkSquareSide(numbers & largestFileLength);
  if (flags & nearSquareFlag) {
    const uint64_t side = (numbers & 0xffffffffu) % (largestSide + 1);
    const uint64_t square = bytesPerPixel * side * side;
    const uint64_t shift = (numbers >> 32) % nearSquareSpread, below = nearSquareSpread / 2;
    if (square + shift >= below) checkSquareSide(square + shift - below);
  }
  const bool explicitSize = flags & explicitSizeFlag;
  const int width = explicitSize ? static_cast<int32_t>(numbers & 0xffffffffu) : rawSideFromLength;
  const int height = explicitSize ? static_cast<int32_t>(numbers >> 32) : rawSideFromLength;
  const uint8_t* contents = data + (size < controlBytes ? size : controlBytes);
  const size_t length = size < controlBytes ? 0 : size - controlBytes;
  const std::string& path = writeInputFile(contents, length);
  RawImage image;
  const bool read = readRawImage(path.c_str(), width, height, image);
  const bool square = width == rawSideFromLength || height == rawSideFromLength;
  int64_t side = 0;
  while (square && !isSquareSide(side, length)) ++side;  // small files: counting up is enough
  const int64_t expectWidth = square ? side : width, expectHeight = square ? side : height;
  const bool fits = expectWidth > 0 && expectHeight > 0 &&
                    static_cast<uint64_t>(expectWidth) * static_cast<uint64_t>(expectHeight) *
                            bytesPerPixel <= length;
  require(read == fits, "read exactly when the size asked fits the file");
  if (!read) return 0;
  require(image.width == expectWidth && image.height == expectHeight, "size as asked or squared");
  require(image.length == length && image.bytes != nullptr, "the whole file is kept");
  require(std::memcmp(image.bytes.get(), contents, length) == 0, "bytes are the file's");
  return 0;
}
