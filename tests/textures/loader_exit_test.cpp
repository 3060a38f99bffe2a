// What the loaders do with files they cannot use: a bitmap prints its
// message on standard output and ends the program with status 1 (when memory
// runs out too); a RAW file is passed over silently with texture name 0.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

#include "assets/bitmap_file.h"
#include "assets/textures.h"
#include "tests/textures/test_bitmaps.h"

namespace {

// Non-throwing allocations still allowed before they start failing; -1: never fail.
int nothrowAllocationsLeft = -1;

}  // namespace

// Lets a case make the loader's non-throwing allocations fail on demand.
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

// The message as a whole-output pattern for the death test.
std::string exactly(const std::string& text) {
  std::string pattern = "^";
  for (char ch : text) {
    if (std::string("\\.^$|()[]{}*+?").find(ch) != std::string::npos) pattern += '\\';
    pattern += ch;
  }
  return pattern + "$";
}

// Loads path with allocations allowed, its standard output sent where the
// death test reads it.
void loadWithOutputCaught(const std::string& path, int allocations) {
  std::fflush(stdout);
  dup2(STDERR_FILENO, STDOUT_FILENO);
  nothrowAllocationsLeft = allocations;
  loadBitmapTexture(path.c_str());
  std::exit(99);  // returned: not what any case expects
}

Bytes withField(uint32_t width, uint32_t height) {
  Bytes bytes = encodeBmp(testPicture(4, 2));  // 24 real pixel bytes
  patch32(bytes, widthField, width);
  patch32(bytes, heightField, height);
  return bytes;
}

TEST(LoadBitmapTexture, EndsWithStatusOneAndItsMessageForEveryUnusableFile) {
  const Bytes fine = encodeBmp(testPicture(4, 2));
  Bytes planes = fine, deep = fine, farOffset = fine, zeroWidth = fine;
  patch16(planes, planesField, 2);
  patch16(deep, depthField, 32);
  patch32(farOffset, dataOffsetField, 4096);
  patch32(zeroWidth, widthField, 0);
  const std::string shortData = "Error reading image data from @.\n";
  const struct {
    const char* file;  // nullptr: no file at all
    Bytes bytes;
    std::string message;  // @ stands for the path
    int allocations = -1;
  } cases[] = {
      {nullptr, {}, "File Not Found : @\n"},
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
  for (const auto& t : cases) {
    SCOPED_TRACE(t.file ? t.file : "missing");
    const std::string path =
        withBackslash(t.file ? folder.write("in.bmp", t.bytes) : folder.file("grass2.bmp"));
    std::string message = t.message;
    if (const size_t at = message.find('@'); at != std::string::npos) message.replace(at, 1, path);
    EXPECT_EXIT(loadWithOutputCaught(path, t.allocations), testing::ExitedWithCode(1),
                exactly(message));
  }
}

TEST(LoadRawTexture, GivesNameZeroSilentlyForMissingEmptyOrShortFiles) {
  TempFolder folder;
  const struct {
    std::string path;
    int side;
  } cases[] = {{withBackslash(folder.file("stone.raw")), -1},
               {folder.write("empty.raw", {}), -1},
               {folder.write("short.raw", {1, 2}), -1},
               {folder.write("small.raw", Bytes(4 * 4 * 3, 7)), 8}};
  for (const auto& t : cases) {
    SCOPED_TRACE(t.path);
    testing::internal::CaptureStdout();
    EXPECT_EQ(loadRawTexture(t.path.c_str(), t.side, t.side, 1), 0u);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  }
}

}  // namespace
