// The reference file of the frame-identity check: the pixel hash, the file
// format both ways, the GL build comparison and the shot comparison.
#include <gtest/gtest.h>

#include "tests/frames/frame_references.h"

namespace {

// An image holding exactly these bytes.
RgbImage imageOf(std::vector<uint8_t> bytes) {
  RgbImage image;
  image.width = 1;
  image.height = static_cast<int>(bytes.size() / 3);
  image.pixels = std::move(bytes);
  return image;
}

// Two shots with hashes that use every hex digit.
FrameReferences sampleReferences() {
  FrameReferences references;
  references.build = {"llvmpipe (LLVM 15.0.6, 256 bits)", "4.5 (Compatibility Profile) Mesa 22.3.6",
                      "22.3.6-1+deb12u1"};
  references.shots = {{"intro-001", 1024, 768, 0x0123456789abcdefull},
                      {"water-drop-20", 1024, 768, 0xfedcba9876543210ull}};
  return references;
}

TEST(PixelHash, IsSixtyFourBitFnv1aOverThePixelBytes) {
  // Published FNV-1a test vectors: the empty input and "a".
  EXPECT_EQ(pixelHash(imageOf({})), 0xcbf29ce484222325ull);
  EXPECT_EQ(pixelHash(imageOf({'a'})), 0xaf63dc4c8601ec8cull);
}

TEST(PixelHash, ChangesWithAnyOneByteAndWithTheOrder) {
  const uint64_t base = pixelHash(imageOf({10, 20, 30, 40, 50, 60}));
  EXPECT_NE(pixelHash(imageOf({10, 20, 30, 40, 50, 61})), base);
  EXPECT_NE(pixelHash(imageOf({11, 20, 30, 40, 50, 60})), base);
  EXPECT_NE(pixelHash(imageOf({40, 50, 60, 10, 20, 30})), base);
}

TEST(ReferenceFile, ReadsBackWhatItWrites) {
  const FrameReferences written = sampleReferences();
  FrameReferences read;
  std::string error;
  ASSERT_TRUE(parseReferences(formatReferences(written), read, error)) << error;
  EXPECT_EQ(read.build.renderer, written.build.renderer);
  EXPECT_EQ(read.build.version, written.build.version);
  EXPECT_EQ(read.build.mesaPackage, written.build.mesaPackage);
  ASSERT_EQ(read.shots.size(), 2u);
  EXPECT_EQ(read.shots[0].name, "intro-001");
  EXPECT_EQ(read.shots[0].width, 1024);
  EXPECT_EQ(read.shots[0].height, 768);
  EXPECT_EQ(read.shots[0].hash, 0x0123456789abcdefull);
  EXPECT_EQ(read.shots[1].hash, 0xfedcba9876543210ull);
}

TEST(ReferenceFile, RefusesDamagedLinesNamingThem) {
  const std::string header =
      "renderer r\n"
      "version v\n"
      "mesa-package p\n";
  const char* const damaged[] = {
      "shot a 1024-768 0123456789abcdef\n",      // size without its x
      "shot a 1024x768 0123456789abcde\n",       // a digit short
      "shot a 1024x768 0123456789ABCDEF\n",      // upper-case hex
      "shot a 1024x768 0123456789abcdef more\n", // a field too many
      "shot a 0x768 0123456789abcdef\n",         // no width
      "shots a 1024x768 0123456789abcdef\n",     // unknown key
  };
  for (const char* line : damaged) {
    FrameReferences references;
    std::string error;
    EXPECT_FALSE(parseReferences(header + line, references, error)) << line;
    EXPECT_NE(error.find("line 4"), std::string::npos) << error;
  }
}

TEST(ReferenceFile, NeedsAllThreeBuildLines) {
  FrameReferences references;
  std::string error;
  EXPECT_FALSE(parseReferences("renderer r\nversion v\nshot a 1x1 0000000000000000\n",
                               references, error));
  EXPECT_NE(error.find("mesa-package"), std::string::npos);
  EXPECT_TRUE(parseReferences("# comment\n\nrenderer r\nversion v\nmesa-package p\n", references,
                              error))
      << error;
  EXPECT_TRUE(references.shots.empty());
}

TEST(GlBuildDifference, NamesEachFieldThatDiffers) {
  const GlBuild recorded{"llvmpipe A", "Mesa 22.3.6", "22.3.6-1"};
  EXPECT_EQ(buildDifference(recorded, recorded), "");
  const std::string newer = buildDifference(recorded, {"llvmpipe A", "Mesa 23.0", "23.0-1"});
  EXPECT_EQ(newer.find("renderer"), std::string::npos);
  EXPECT_NE(newer.find("version \"Mesa 22.3.6\" is now \"Mesa 23.0\""), std::string::npos);
  EXPECT_NE(newer.find("mesa-package"), std::string::npos);
  EXPECT_NE(buildDifference(recorded, {"softpipe", "Mesa 22.3.6", "22.3.6-1"}).find("renderer"),
            std::string::npos);
}

TEST(ShotComparison, SortsShotsIntoChangedMissingAndUnreferenced) {
  const std::vector<ShotHash> references = {
      {"same", 4, 4, 1}, {"repainted", 4, 4, 2}, {"resized", 4, 4, 3}, {"gone", 4, 4, 4}};
  const std::vector<ShotHash> rendered = {
      {"same", 4, 4, 1}, {"repainted", 4, 4, 9}, {"resized", 4, 5, 3}, {"new", 4, 4, 5}};
  const ShotComparison comparison = compareShots(references, rendered);
  EXPECT_FALSE(comparison.identical());
  EXPECT_EQ(comparison.changed, (std::vector<std::string>{"repainted", "resized"}));
  EXPECT_EQ(comparison.missing, (std::vector<std::string>{"gone"}));
  EXPECT_EQ(comparison.unreferenced, (std::vector<std::string>{"new"}));
  EXPECT_TRUE(compareShots(references, references).identical());
}

}  // namespace
