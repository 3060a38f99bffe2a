// The texture readers on the files they must accept: every BMP layout image
// editors write, read back to exactly the picture's pixels, and the RAW size
// rules. (What they refuse, with each message, is in loader_exit_test.cpp.)
#include <gtest/gtest.h>

#include "assets/bitmap_file.h"
#include "assets/raw_file.h"
#include "tests/textures/test_bitmaps.h"

namespace {

TEST(ReadBitmap, DeliversThePicturesRowsBottomFirstForEveryLayout) {
  struct Case {
    const char* layout;
    ColorImage picture;
    Bytes file;
  };
  std::vector<Case> cases;
  for (int width : {1, 2, 3, 4, 5, 7, 13}) {  // every row padding, none included
    const ColorImage picture = testPicture(width, 3);
    cases.push_back({"bottom-up", picture, encodeBmp(picture)});
  }
  for (int width : {4, 5}) {
    const ColorImage picture = testPicture(width, 3);
    cases.push_back({"top-down", picture, topDownBmp(picture)});
  }
  const ColorImage picture = testPicture(3, 2);
  cases.push_back({"longer header", picture, gappedBmp(picture, 70)});
  Bytes noOffset = encodeBmp(picture);  // some writers leave it 0: the data follows the header
  patch32(noOffset, dataOffsetField, 0);
  cases.push_back({"no data offset", picture, noOffset});

  TempFolder folder;
  for (const Case& t : cases) {
    SCOPED_TRACE(testing::Message() << t.layout << ", width " << t.picture.width);
    BitmapImage image;
    testing::internal::CaptureStdout();
    const int result = readBitmap(withBackslash(folder.write("in.bmp", t.file)).c_str(), image);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    ASSERT_EQ(result, 1);
    EXPECT_EQ(image.width, static_cast<uint32_t>(t.picture.width));
    EXPECT_EQ(image.height, static_cast<uint32_t>(t.picture.height));
    EXPECT_EQ(Bytes(image.pixels.get(), image.pixels.get() + 3 * image.width * image.height),
              readerPixels(t.picture));
  }
}

TEST(RawSquareSide, IsTheIntegerRootOfWholePixels) {
  const size_t big = 46341;  // its square passes 2^31: the root must not be off by one
  const struct {
    size_t length;
    int side;
  } cases[] = {{0, 0},     {2, 0},         {3, 1},           {11, 1},           {12, 2},
               {196607, 255}, {196608, 256}, {196611, 256}, {big * big * 3 - 3, 46340},
               {big * big * 3, 46341}};
  for (const auto& t : cases) EXPECT_EQ(rawSquareSide(t.length), t.side) << t.length << " bytes";
}

TEST(ReadRawImage, ReadsExactlyWhenTheSizeAskedFitsAndKeepsEveryByte) {
  const struct {
    size_t length;
    int askWidth, askHeight;
    bool read;
    int width, height;
  } cases[] = {
      {196608, -1, -1, true, 256, 256},  {196611, -1, -1, true, 256, 256},  // stone, and 3 over
      {48, -1, 9, true, 4, 4},           {48, 8, 2, true, 8, 2},
      {48, 3, 5, true, 3, 5},            {48, 8, 3, false, 0, 0},
      {48, 0, 2, false, 0, 0},           {48, -2, 2, false, 0, 0},
      {48, 65536, 65536, false, 0, 0},  // overflows 32 bits
      {0, -1, -1, false, 0, 0},          {2, -1, -1, false, 0, 0},
  };
  TempFolder folder;
  for (const auto& t : cases) {
    SCOPED_TRACE(testing::Message() << t.length << " bytes as " << t.askWidth << " x " << t.askHeight);
    Bytes bytes(t.length);
    for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = static_cast<uint8_t>(i % 251);
    RawImage image;
    const std::string path = withBackslash(folder.write("in.raw", bytes));
    ASSERT_EQ(readRawImage(path.c_str(), t.askWidth, t.askHeight, image), t.read);
    if (!t.read) continue;
    EXPECT_EQ(image.width, t.width);
    EXPECT_EQ(image.height, t.height);
    EXPECT_EQ(Bytes(image.bytes.get(), image.bytes.get() + image.length), bytes);
  }
  RawImage image;
  EXPECT_FALSE(readRawImage((folder.path() + "/absent.raw").c_str(), -1, -1, image));
}

}  // namespace
