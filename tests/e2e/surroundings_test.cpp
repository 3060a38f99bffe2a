// The real program started among incomplete textures, in a working folder
// whose textures/ links all but one of the built files: without a bitmap it
// prints the banner, then the loader's message, and ends with status 1;
// without a RAW file it says nothing and runs.
// (What each unusable file makes the loaders say is tested beside them.)
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/e2e/running_program.h"
#include "tests/support/temp_folder.h"
#include "texture_tables/texture_manifest.h"

namespace {

namespace fs = std::filesystem;

// Fills folder/textures with links to every built texture file but one.
void linkTexturesBut(const TempFolder& folder, TextureKey missing) {
  fs::create_directory(folder.file("textures"));
  for (const TextureEntry& entry : textureManifest) {
    const std::string name = entry.fileName;
    if (name != textureEntry(missing).fileName) {
      fs::create_symlink(KESH_BUILD_DIR "/textures/" + name, folder.file("textures/" + name));
    }
  }
}

TEST(BadSurroundings, AMissingBitmapEndsTheProgramWithItsMessage) {
  TempFolder folder;
  linkTexturesBut(folder, TextureKey::bark);
  RunningProgram run;
  ASSERT_TRUE(run.start(KESH_BUILD_DIR "/kesh-valdrune", folder.path()));
  EXPECT_EQ(run.waitForExit(), 1) << "-1: a crash or a hang\n" << run.errors();
  EXPECT_EQ(run.output(),
            banner() + "File Not Found : textures\\" + textureEntry(TextureKey::bark).fileName + "\n");
  EXPECT_EQ(run.errors(), "");
}

TEST(BadSurroundings, AMissingRawFileIsPassedOverSilently) {
  TempFolder folder;
  linkTexturesBut(folder, TextureKey::stone);
  expectRunEndsOnEscape(KESH_BUILD_DIR "/kesh-valdrune", folder.path());
}

}  // namespace
