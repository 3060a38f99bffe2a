// The BMP reader: the layouts ordinary image editors write (padded rows,
// longer headers, rows stored top-down), short or empty pixel data, and
// headers that lie about the image size. (Missing files and wrong planes or
// depths are checked with the exit status in loader_exit_test.cpp.)
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "assets/bitmap_file.h"
#include "tests/textures/bmp_maker.h"

namespace {

// readBitmap's result, what it printed, and the pixels it delivered.
struct ReadOutcome {
  int result = 0;
  std::string printed;
  BitmapImage image;
};

ReadOutcome readCapturingOutput(const std::string& path) {
  ReadOutcome outcome;
  testing::internal::CaptureStdout();
  outcome.result = readBitmap(path.c_str(), outcome.image);
  std::fflush(stdout);
  outcome.printed = testing::internal::GetCapturedStdout();
  return outcome;
}

std::vector<uint8_t> pixelsOf(const BitmapImage& image) {
  return {image.pixels.get(), image.pixels.get() + size_t{image.width} * image.height * 3};
}

// Reads layout written to a file and expects exactly its pixels.
void expectReadsBack(const BmpLayout& layout, const std::string& name) {
  TempFolder folder;
  const ReadOutcome outcome = readCapturingOutput(folder.write(name, buildBmp(layout)));
  ASSERT_EQ(outcome.result, 1) << outcome.printed;
  EXPECT_EQ(outcome.printed, "");
  EXPECT_EQ(outcome.image.width, static_cast<uint32_t>(layoutWidth(layout)));
  EXPECT_EQ(outcome.image.height, static_cast<uint32_t>(layoutRows(layout)));
  EXPECT_EQ(pixelsOf(outcome.image), expectedPixels(layout));
}

TEST(LittleEndianFields, CombineLeastSignificantByteFirstAndReadZerosPastTheEnd) {
  TempFolder folder;
  const std::string path = folder.write("fields", {0x01, 0x02, 0x03, 0xF4, 0x05, 0x86, 0x07});
  std::FILE* file = std::fopen(path.c_str(), "rb");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(readLittleEndian32(file), 0xF4030201u);
  EXPECT_EQ(readLittleEndian16(file), 0x8605u);
  EXPECT_EQ(readLittleEndian32(file), 0x07u);  // one byte left, the rest count as 0
  EXPECT_EQ(readLittleEndian16(file), 0u);
  std::fclose(file);
}

TEST(ReadBitmap, DeliversRedGreenBlueRowsBottomFirst) {
  BmpLayout layout;
  layout.widthField = 4;
  layout.heightField = 3;
  expectReadsBack(layout, "plain.bmp");
}

TEST(ReadBitmap, OpensPathsWrittenWithBackslashes) {
  TempFolder folder;
  const std::string path = folder.write("slashed.bmp", buildBmp(BmpLayout{}));
  EXPECT_EQ(readCapturingOutput(withBackslash(path)).result, 1);
}

TEST(ReadBitmap, SkipsTheRowPaddingOfWidthsThatAreNotAMultipleOfFour) {
  for (uint32_t width : {1u, 2u, 3u, 5u, 6u, 7u, 13u}) {
    SCOPED_TRACE(width);
    BmpLayout layout;
    layout.widthField = width;
    layout.heightField = 5;
    expectReadsBack(layout, "padded.bmp");
  }
}

TEST(ReadBitmap, StartsThePixelsAtTheRecordedDataOffset) {
  BmpLayout longHeader;
  longHeader.gapBytes = 70;  // e.g. a larger info header and colour masks
  longHeader.widthField = 3;
  expectReadsBack(longHeader, "long-header.bmp");

  BmpLayout noOffset;  // some writers leave the offset 0: the data follows the header
  noOffset.recordDataOffset = false;
  expectReadsBack(noOffset, "no-offset.bmp");
}

TEST(ReadBitmap, FlipsRowsStoredTopDown) {
  for (uint32_t width : {4u, 5u}) {
    SCOPED_TRACE(width);
    BmpLayout layout;
    layout.widthField = width;
    layout.heightField = 0u - 3u;  // -3: three rows, top row first in the file
    expectReadsBack(layout, "top-down.bmp");
  }
}

TEST(ReadBitmap, ReportsPixelDataShorterThanTheHeaderDeclares) {
  TempFolder folder;
  for (size_t dropped : {size_t{1}, size_t{12}, size_t{24}}) {
    SCOPED_TRACE(dropped);
    BmpLayout layout;
    layout.dataBytesDropped = dropped;
    const std::string path = folder.write("short.bmp", buildBmp(layout));
    const ReadOutcome outcome = readCapturingOutput(path);
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(outcome.printed, "Error reading image data from " + path + ".\n");
  }
  // A data offset past the end of the file leaves no pixel data at all.
  std::vector<uint8_t> bytes = buildBmp(BmpLayout{});
  patch32(bytes, 10, 4096);
  const std::string path = folder.write("far-offset.bmp", bytes);
  EXPECT_EQ(readCapturingOutput(path).printed, "Error reading image data from " + path + ".\n");
}

TEST(ReadBitmap, RejectsAnEmptyImage) {
  TempFolder folder;
  BmpLayout layout;
  layout.widthField = 0;
  const std::string path = folder.write("empty.bmp", buildBmp(layout));
  const ReadOutcome outcome = readCapturingOutput(path);
  EXPECT_EQ(outcome.result, 0);
  EXPECT_EQ(outcome.printed, "Error reading image data from " + path + ".\n");
}

TEST(ReadBitmap, ReadsATruncatedHeaderAsZerosAndRejectsIt) {
  TempFolder folder;
  std::vector<uint8_t> bytes = buildBmp(BmpLayout{});
  bytes.resize(24);  // ends inside the height field
  const std::string path = folder.write("stub.bmp", bytes);
  const ReadOutcome outcome = readCapturingOutput(path);
  EXPECT_EQ(outcome.result, 0);
  EXPECT_EQ(outcome.printed, "Planes from " + path + " is not 1: 0\n");
}

// Sizes whose byte count does not fit 32 bits would wrap to a small number;
// the reader must refuse them rather than hand on a short buffer.
TEST(ReadBitmap, RejectsSizesWhoseByteCountOverflows) {
  TempFolder folder;
  const struct {
    uint32_t width, height;
  } sizes[] = {{0x55555556u, 1}, {65536, 65536}, {1, 0x55555556u}, {0xFFFFFFFFu, 0u - 1u}};
  for (const auto& size : sizes) {
    SCOPED_TRACE(size.width);
    std::vector<uint8_t> bytes = buildBmp(BmpLayout{});  // 24 real pixel bytes
    patch32(bytes, widthFieldOffset, size.width);
    patch32(bytes, heightFieldOffset, size.height);
    const std::string path = folder.write("overflow.bmp", bytes);
    const ReadOutcome outcome = readCapturingOutput(path);
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(outcome.printed.rfind("Image size from " + path + " overflows", 0), 0u)
        << outcome.printed;
    EXPECT_EQ(outcome.image.pixels, nullptr);
  }
}

TEST(ReadBitmap, RejectsSidesLargerThanATextureCanBe) {
  TempFolder folder;
  const struct {
    uint32_t width, height;
  } sizes[] = {{20000, 20000}, {maxBitmapSide + 1, 1}, {4, 0u - 20000u}};
  for (const auto& size : sizes) {
    SCOPED_TRACE(size.width);
    std::vector<uint8_t> bytes = buildBmp(BmpLayout{});
    patch32(bytes, widthFieldOffset, size.width);
    patch32(bytes, heightFieldOffset, size.height);
    const std::string path = folder.write("huge.bmp", bytes);
    const ReadOutcome outcome = readCapturingOutput(path);
    EXPECT_EQ(outcome.result, 0);
    EXPECT_EQ(outcome.printed.rfind("Image size from " + path + " is too large", 0), 0u)
        << outcome.printed;
  }
}

TEST(ReadBitmap, RefusesALargeDeclaredImageInASmallFileAsShortData) {
  TempFolder folder;
  std::vector<uint8_t> bytes = buildBmp(BmpLayout{});
  patch32(bytes, widthFieldOffset, maxBitmapSide);
  patch32(bytes, heightFieldOffset, maxBitmapSide);
  const std::string path = folder.write("claims-more.bmp", bytes);
  const ReadOutcome outcome = readCapturingOutput(path);
  EXPECT_EQ(outcome.result, 0);
  EXPECT_EQ(outcome.printed, "Error reading image data from " + path + ".\n");
}

}  // namespace
