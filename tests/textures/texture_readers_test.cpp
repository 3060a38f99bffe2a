// The texture readers: every BMP layout editors write read back to the picture's pixels, the RAW
// size rules; and what the loaders do with files they cannot use: a bitmap prints its message on
// standard output and ends the program with status 1 (when memory runs out too), a RAW file is
// passed over silently with texture name 0. Each such load runs in a death-test child.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>
#include <vector>

#include "assets/bitmap_file.h"
#include "assets/raw_file.h"
#include "assets/textures.h"
#include "tests/textures/test_bitmaps.h"

static int nothrowAllocationsLeft = -1;  // nothrow allocations left before they fail; -1: never

void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  if (nothrowAllocationsLeft == 0) return nullptr;
  if (nothrowAllocationsLeft > 0) --nothrowAllocationsLeft;
  return std::malloc(size ? size : 1);
}
void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
  return operator new(size, tag);
}
void* operator new(std::size_t size) {
  if (void* pointer = std::malloc(size ? size : 1)) return pointer;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void operator delete(void* pointer) noexcept { std::free(pointer); }
void operator delete[](void* pointer) noexcept { std::free(pointer); }
void operator delete(void* pointer, std::size_t) noexcept { std::free(pointer); }
void operator delete[](void* pointer, std::size_t) noexcept { std::free(pointer); }

namespace {
// Loads path (RAW when raw) with its standard output sent where the death test reads it; exits 0
// when a RAW load gives name 0. A load blocked for good (once, on a FIFO) dies by the alarm.
void loadWithOutputCaught(const std::string& path, int allocations, bool raw = false) {
  alarm(60);
  std::fflush(stdout);
  dup2(STDERR_FILENO, STDOUT_FILENO);
  nothrowAllocationsLeft = allocations;
  if (raw) std::exit(loadRawTexture(path.c_str(), -1, -1, 1) == 0 ? 0 : 98);
  loadBitmapTexture(path.c_str());
  std::exit(99);  // returned: not what any case expects
}

// Paths that name no readable regular file: they count as not found.
std::vector<std::string> notFiles(const TempFolder& folder) {
  std::vector<std::string> paths = {folder.file("missing.bmp"), folder.file("folder.bmp"),
                                    folder.file("fifo.bmp"), folder.file("dangling.bmp")};
  mkdir(paths[1].c_str(), 0755);
  mkfifo(paths[2].c_str(), 0644);  // no writer: a blocking open would wait for good
  symlink("missing.bmp", paths[3].c_str());
  if (geteuid() != 0) {  // root reads any file
    paths.push_back(folder.write("locked.bmp", encodeBmp(testPicture(4, 2))));
    chmod(paths.back().c_str(), 0);
  }
  for (std::string& path : paths) path = withBackslash(path);
  return paths;
}

Bytes withField(uint32_t width, uint32_t height) {
  Bytes bytes = encodeBmp(testPicture(4, 2));  // 24 real pixel bytes
  patch(bytes, widthField, width);
  patch(bytes, heightField, height);
  return bytes;
}

TEST(LoadBitmapTexture, EndsWithStatusOneAndItsMessageForEveryUnusableFile) {
  const Bytes fine = encodeBmp(testPicture(4, 2));
  Bytes planes = fine, deep = fine, farOffset = fine, zeroWidth = fine;
  patch(planes, planesField, 2, 2);
  patch(deep, depthField, 32, 2);
  patch(farOffset, dataOffsetField, 4096);
  patch(zeroWidth, widthField, 0);
  const std::string shortData = "Error reading image data from @.\n";
  struct Case {
    std::string file;  // a path from notFiles, or a file to write
    Bytes bytes;
    std::string message;  // @ stands for the path
    int allocations = -1;
  };
  std::vector<Case> cases = {
      {"planes", planes, "Planes from @ is not 1: 2\n"},
      {"depth", deep, "Bpp from @ is not 24: 32\n"},
      {"header cut in the height", cut(fine, 24), "Planes from @ is not 1: 0\n"},
      {"one byte short", cut(fine, fine.size() - 1), shortData},
      {"a row short", cut(fine, fine.size() - 12), shortData},
      {"no pixels", cut(fine, 54), shortData},
      {"offset past the end", farOffset, shortData},
      {"empty image", zeroWidth, shortData},
      {"claims more than it holds", withField(maxBitmapSide, maxBitmapSide), shortData},
      {"byte count wraps", withField(0x55555556u, 1),
       "Image size from @ overflows: 1431655766 x 1 pixels are too many bytes\n"},
      {"both sides wrap", withField(0xFFFFFFFFu, 0u - 1u),
       "Image size from @ overflows: 4294967295 x 1 pixels are too many bytes\n"},
      {"square wraps", withField(65536, 65536),
       "Image size from @ overflows: 65536 x 65536 pixels are too many bytes\n"},
      {"too wide", withField(maxBitmapSide + 1, 1),
       "Image size from @ is too large: 16385 x 1 pixels, at most 16384 a side\n"},
      {"too tall, top-down", withField(4, 0u - 20000u),
       "Image size from @ is too large: 4 x 20000 pixels, at most 16384 a side\n"},
      {"no memory for the record", fine, "Error allocating space for image", 0},
      {"no memory for the pixels", fine, "Error allocating memory for color-corrected image data", 1},
  };
  TempFolder folder;
  for (const auto& path : notFiles(folder)) cases.push_back({path, {}, "File Not Found : @\n"});
  for (const auto& t : cases) {
    SCOPED_TRACE(t.file);
    const std::string path =
        t.file[0] == '/' ? t.file : withBackslash(folder.write("in.bmp", t.bytes));
    std::string message = t.message;
    if (const size_t at = message.find('@'); at != std::string::npos) message.replace(at, 1, path);
    EXPECT_EXIT(loadWithOutputCaught(path, t.allocations), testing::ExitedWithCode(1),
                testing::Matcher<const std::string&>(message));  // the whole output
  }
}

TEST(LoadRawTexture, GivesNameZeroSilentlyForPathsThatNameNoReadableFile) {
  TempFolder folder;  // (files it refuses give name 0 as ReadRawImage refuses them)
  for (const std::string& path : notFiles(folder)) {
    SCOPED_TRACE(path);
    EXPECT_EXIT(loadWithOutputCaught(path, -1, true), testing::ExitedWithCode(0),
                testing::Matcher<const std::string&>(""));
  }
}

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
  patch(noOffset, dataOffsetField, 0);
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
              encodeRaw(t.picture));
  }
}

TEST(RawSquareSide, IsTheIntegerRootOfWholePixels) {
  const size_t big = 46341;  // its square passes 2^31: the root must not be off by one
  const std::pair<size_t, int> cases[] = {
      {0, 0},        {2, 0},        {3, 1},        {11, 1}, {12, 2}, {196607, 255},
      {196608, 256}, {196611, 256}, {big * big * 3 - 3, 46340}, {big * big * 3, 46341}};
  for (const auto& [length, side] : cases) EXPECT_EQ(rawSquareSide(length), side) << length;
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
    testing::internal::CaptureStdout();
    ASSERT_EQ(readRawImage(path.c_str(), t.askWidth, t.askHeight, image), t.read);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "") << "RAW files are passed over silently";
    if (!t.read) continue;
    EXPECT_EQ(image.width, t.width);
    EXPECT_EQ(image.height, t.height);
    EXPECT_EQ(Bytes(image.bytes.get(), image.bytes.get() + image.length), bytes);
  }
}
}  // namespace
