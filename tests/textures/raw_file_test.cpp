// The RAW reader: the square size taken from the file length, explicit
// sizes, and files too short for the size asked, which count as missing.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "assets/raw_file.h"
#include "tests/textures/bmp_maker.h"

namespace {

constexpr size_t stoneBytes = 256 * 256 * 3;  // 196,608

// Bytes 0, 1, 2, ... wrapping at 251, so offsets are easy to recognise.
std::vector<uint8_t> countingBytes(size_t length) {
  std::vector<uint8_t> bytes(length);
  for (size_t i = 0; i < length; ++i) bytes[i] = static_cast<uint8_t>(i % 251);
  return bytes;
}

TEST(RawSquareSide, IsTheIntegerRootOfWholePixels) {
  EXPECT_EQ(rawSquareSide(0), 0);
  EXPECT_EQ(rawSquareSide(2), 0);
  EXPECT_EQ(rawSquareSide(3), 1);
  EXPECT_EQ(rawSquareSide(11), 1);  // 3 pixels: still a 1 x 1 square
  EXPECT_EQ(rawSquareSide(12), 2);
  EXPECT_EQ(rawSquareSide(stoneBytes - 1), 255);
  EXPECT_EQ(rawSquareSide(stoneBytes), 256);
  EXPECT_EQ(rawSquareSide(stoneBytes + 3), 256);
  const size_t big = 46341;  // its square passes 2^31: the root must not be off by one
  EXPECT_EQ(rawSquareSide(big * big * 3 - 3), static_cast<int>(big - 1));
  EXPECT_EQ(rawSquareSide(big * big * 3), static_cast<int>(big));
}

TEST(ReadRawImage, TakesASquareFromTheFileLengthAndKeepsEveryByte) {
  TempFolder folder;
  for (size_t length : {stoneBytes, stoneBytes + 3}) {
    SCOPED_TRACE(length);
    const std::vector<uint8_t> bytes = countingBytes(length);
    RawImage image;
    ASSERT_TRUE(readRawImage(withBackslash(folder.write("stone.raw", bytes)).c_str(),
                             rawSideFromLength, rawSideFromLength, image));
    EXPECT_EQ(image.width, 256);
    EXPECT_EQ(image.height, 256);
    ASSERT_EQ(image.length, length);
    EXPECT_EQ(std::vector<uint8_t>(image.bytes.get(), image.bytes.get() + length), bytes);
  }
}

TEST(ReadRawImage, SquaresTheSizeWhenEitherSideAsksForIt) {
  TempFolder folder;
  const std::string path = folder.write("square.raw", countingBytes(4 * 4 * 3));
  RawImage image;
  ASSERT_TRUE(readRawImage(path.c_str(), rawSideFromLength, 9, image));
  EXPECT_EQ(image.width, 4);
  EXPECT_EQ(image.height, 4);
}

TEST(ReadRawImage, AcceptsExplicitSizesThatFitTheFile) {
  TempFolder folder;
  const std::string path = folder.write("wide.raw", countingBytes(8 * 2 * 3));
  RawImage image;
  ASSERT_TRUE(readRawImage(path.c_str(), 8, 2, image));
  EXPECT_EQ(image.width, 8);
  EXPECT_EQ(image.height, 2);
  ASSERT_TRUE(readRawImage(path.c_str(), 3, 5, image));  // 45 of 48 bytes used
  EXPECT_EQ(image.width, 3);
}

TEST(ReadRawImage, TreatsMissingEmptyAndShortFilesAsAbsent) {
  TempFolder folder;
  RawImage image;
  EXPECT_FALSE(readRawImage((folder.path() + "/absent.raw").c_str(), -1, -1, image));
  EXPECT_FALSE(readRawImage(folder.write("empty.raw", {}).c_str(), -1, -1, image));
  EXPECT_FALSE(readRawImage(folder.write("two.raw", {1, 2}).c_str(), -1, -1, image));
  const std::string small = folder.write("small.raw", countingBytes(8 * 2 * 3));
  EXPECT_FALSE(readRawImage(small.c_str(), 8, 3, image));   // one row more than the file
  EXPECT_FALSE(readRawImage(small.c_str(), 0, 2, image));
  EXPECT_FALSE(readRawImage(small.c_str(), -2, 2, image));
  EXPECT_FALSE(readRawImage(small.c_str(), 65536, 65536, image));  // overflows 32 bits
  EXPECT_EQ(image.bytes, nullptr);
}

}  // namespace
