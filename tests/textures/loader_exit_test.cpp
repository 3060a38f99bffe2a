// How the loaders end the program on unusable files: a bitmap that cannot
// be used prints its message on standard output and ends with status 1,
// including when memory runs out; a RAW file that cannot be used is passed
// over silently with texture name 0. Each case runs in a child process.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>

#include "assets/textures.h"
#include "tests/textures/bmp_maker.h"
#include "tests/textures/child_process.h"

namespace {

// Non-throwing allocations still allowed before they start failing; -1: never fail.
int nothrowAllocationsLeft = -1;

constexpr int unusableStatus = 1;

ChildOutcome loadInChild(const std::string& path) {
  return runInChild([&] { loadBitmapTexture(path.c_str()); });
}

void expectUnusable(const ChildOutcome& outcome, const std::string& message) {
  EXPECT_TRUE(outcome.exited);
  EXPECT_EQ(outcome.status, unusableStatus);
  EXPECT_EQ(outcome.printed, message);
}

}  // namespace

// Lets a test make the loaders' non-throwing allocations fail on demand.
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  if (nothrowAllocationsLeft == 0) return nullptr;
  if (nothrowAllocationsLeft > 0) --nothrowAllocationsLeft;
  return std::malloc(size ? size : 1);
}

void* operator new[](std::size_t size, const std::nothrow_t& tag) noexcept {
  return operator new(size, tag);
}

void operator delete(void* pointer) noexcept { std::free(pointer); }
void operator delete[](void* pointer) noexcept { std::free(pointer); }
void operator delete(void* pointer, std::size_t) noexcept { std::free(pointer); }
void operator delete[](void* pointer, std::size_t) noexcept { std::free(pointer); }

void* operator new(std::size_t size) {
  if (void* pointer = std::malloc(size ? size : 1)) return pointer;
  throw std::bad_alloc();
}

void* operator new[](std::size_t size) { return operator new(size); }

namespace {

TEST(LoadBitmapExit, MissingFileEndsWithStatusOne) {
  TempFolder folder;
  const std::string path = withBackslash(folder.path() + "/grass2.bmp");
  expectUnusable(loadInChild(path), "File Not Found : " + path + "\n");
}

TEST(LoadBitmapExit, WrongPlanesOrDepthEndWithStatusOne) {
  TempFolder folder;
  BmpLayout planes;
  planes.planes = 2;
  const std::string planesPath = folder.write("planes.bmp", buildBmp(planes));
  expectUnusable(loadInChild(planesPath), "Planes from " + planesPath + " is not 1: 2\n");

  BmpLayout deep;
  deep.bitsPerPixel = 32;
  const std::string deepPath = folder.write("deep.bmp", buildBmp(deep));
  expectUnusable(loadInChild(deepPath), "Bpp from " + deepPath + " is not 24: 32\n");
}

TEST(LoadBitmapExit, ShortPixelDataEndsWithStatusOne) {
  TempFolder folder;
  BmpLayout layout;
  layout.dataBytesDropped = 5;
  const std::string path = folder.write("short.bmp", buildBmp(layout));
  expectUnusable(loadInChild(path), "Error reading image data from " + path + ".\n");
}

TEST(LoadBitmapExit, OverflowingAndOversizedHeadersEndWithStatusOne) {
  TempFolder folder;
  for (uint32_t width : {0x55555556u, 30000u}) {
    SCOPED_TRACE(width);
    std::vector<uint8_t> bytes = buildBmp(BmpLayout{});
    patch32(bytes, widthFieldOffset, width);
    patch32(bytes, heightFieldOffset, width == 30000u ? 30000u : 1u);
    const std::string path = folder.write("lying.bmp", bytes);
    const ChildOutcome outcome = loadInChild(path);
    EXPECT_TRUE(outcome.exited);
    EXPECT_EQ(outcome.status, unusableStatus);
    EXPECT_EQ(outcome.printed.rfind("Image size from " + path, 0), 0u) << outcome.printed;
    EXPECT_EQ(outcome.printed.back(), '\n');
  }
}

TEST(LoadBitmapExit, FailingToAllocateTheImageRecordEndsWithStatusOne) {
  TempFolder folder;
  const std::string path = folder.write("fine.bmp", buildBmp(BmpLayout{}));
  const ChildOutcome outcome = runInChild([&] {
    nothrowAllocationsLeft = 0;
    loadBitmapTexture(path.c_str());
  });
  expectUnusable(outcome, "Error allocating space for image");
}

TEST(LoadBitmapExit, FailingToAllocateThePixelsEndsWithStatusOne) {
  TempFolder folder;
  const std::string path = folder.write("fine.bmp", buildBmp(BmpLayout{}));
  const ChildOutcome outcome = runInChild([&] {
    nothrowAllocationsLeft = 1;  // the record, then no more
    loadBitmapTexture(path.c_str());
  });
  expectUnusable(outcome, "Error allocating memory for color-corrected image data");
}

TEST(LoadRawTexture, GivesNameZeroSilentlyForMissingEmptyOrShortFiles) {
  TempFolder folder;
  const std::string paths[] = {
      withBackslash(folder.path() + "/stone.raw"),
      folder.write("empty.raw", {}),
      folder.write("short.raw", {1, 2}),
  };
  for (const std::string& path : paths) {
    SCOPED_TRACE(path);
    testing::internal::CaptureStdout();
    EXPECT_EQ(loadRawTexture(path.c_str(), -1, -1, 1), 0u);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
  }
  const std::string small = folder.write("small.raw", std::vector<uint8_t>(4 * 4 * 3, 7));
  EXPECT_EQ(loadRawTexture(small.c_str(), 8, 8, 1), 0u);
}

}  // namespace
