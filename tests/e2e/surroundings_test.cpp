// The real program started in bad surroundings: no textures folder, an empty
// one, a file where the folder should be, a bitmap missing, one that cannot
// be read (a folder, a FIFO, a dangling link, no read permission), one cut
// short or with its header cut. Each time it prints the banner and then the
// loader's message for the first bitmap it cannot use, and ends promptly with
// status 1, without a crash. A missing or short RAW file is no error: the
// program says nothing about it, runs, and ends on Escape with status 0.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/e2e/running_program.h"
#include "texture_tables/texture_manifest.h"
#include "tests/support/temp_folder.h"

namespace {

namespace fs = std::filesystem;

const std::string buildDir = KESH_BUILD_DIR;
const std::string program = buildDir + "/kesh-valdrune";
const std::string textureFiles = buildDir + "/textures";

constexpr size_t cutHeaderBytes = 20;  // inside the header, before the planes field

// A texture's file name, and the loader's name for it in its messages.
std::string fileOf(TextureKey key) { return textureEntry(key).fileName; }
std::string pathOf(TextureKey key) { return "textures\\" + fileOf(key); }

const std::string banner = readFile(KESH_SOURCE_DIR "/tests/e2e/banner.txt");

// A working folder with a textures folder that links every texture file.
struct Surroundings {
  TempFolder folder;
  std::string textures = folder.path() + "/textures";

  Surroundings() {
    fs::create_directory(textures);
    for (const TextureEntry& entry : textureManifest) {
      fs::create_symlink(textureFiles + "/" + entry.fileName, textures + "/" + entry.fileName);
    }
  }
  std::string file(TextureKey key) const { return textures + "/" + fileOf(key); }
  // Replaces a texture with its first bytes only.
  void cut(TextureKey key, size_t keep) const {
    const std::string bytes = readFile(textureFiles + "/" + fileOf(key));
    fs::remove(file(key));
    std::ofstream(file(key), std::ios::binary) << bytes.substr(0, std::min(keep, bytes.size()));
  }
};

struct Ending {
  int status = -1;
  std::string output, errors;
};

// Starts the program in workdir and waits for it to end.
Ending runIn(const std::string& workdir) {
  RunningProgram run;
  Ending ending;
  if (!run.start(program, workdir)) return ending;
  ending.status = run.waitForExit();
  ending.output = run.output();
  ending.errors = run.errors();
  return ending;
}

// The program ends with status 1 after the banner and exactly message.
void expectUnusable(const std::string& workdir, const std::string& message) {
  const Ending ending = runIn(workdir);
  EXPECT_EQ(ending.status, 1) << "-1: a crash or a hang\n" << ending.errors;
  EXPECT_EQ(ending.output, banner + message);
  EXPECT_EQ(ending.errors, "");
}

// The program starts, shows its frame rate, and ends on Escape with status 0,
// having printed the banner and nothing else.
void expectRunsNormally(const std::string& workdir) {
  RunningProgram run;
  ASSERT_TRUE(run.start(program, workdir));
  const Window window = run.waitForWindow();
  ASSERT_NE(window, 0u) << run.output() << run.errors();
  EXPECT_TRUE(run.waitForTitle(
      [](const std::string& t) { return t.find("[ FPS: ") != std::string::npos; }));
  EXPECT_EQ(run.quitWithEscape(), 0);
  EXPECT_EQ(run.output(), banner);
  EXPECT_EQ(run.errors(), "");
}

TEST(BadSurroundings, NoUsableTexturesFolderStopsAtTheFirstBitmap) {
  const std::string firstBitmap = "File Not Found : " + pathOf(TextureKey::grass) + "\n";
  TempFolder bare;
  expectUnusable(bare.path(), firstBitmap);

  TempFolder empty;
  fs::create_directory(empty.path() + "/textures");
  expectUnusable(empty.path(), firstBitmap);

  TempFolder plainFile;
  std::ofstream(plainFile.path() + "/textures") << "not a folder";
  expectUnusable(plainFile.path(), firstBitmap);
}

TEST(BadSurroundings, AMissingBitmapIsNamedAfterTheOnesBeforeItLoaded) {
  Surroundings place;
  fs::remove(place.file(TextureKey::bark));
  expectUnusable(place.folder.path(), "File Not Found : " + pathOf(TextureKey::bark) + "\n");
}

TEST(BadSurroundings, AnUnreadableBitmapCountsAsNotFound) {
  const TextureKey grass = TextureKey::grass;
  const std::string message = "File Not Found : " + pathOf(grass) + "\n";
  {
    SCOPED_TRACE("a folder");
    Surroundings place;
    fs::remove(place.file(grass));
    fs::create_directory(place.file(grass));
    expectUnusable(place.folder.path(), message);
  }
  {
    SCOPED_TRACE("a FIFO, which once blocked start-up for good");
    Surroundings place;
    fs::remove(place.file(grass));
    ASSERT_EQ(mkfifo(place.file(grass).c_str(), 0644), 0);
    expectUnusable(place.folder.path(), message);
  }
  {
    SCOPED_TRACE("a link to nothing");
    Surroundings place;
    fs::remove(place.file(grass));
    fs::create_symlink(place.textures + "/nothing.bmp", place.file(grass));
    expectUnusable(place.folder.path(), message);
  }
  if (geteuid() != 0) {  // permissions do not stop the superuser
    SCOPED_TRACE("no read permission");
    Surroundings place;
    place.cut(grass, SIZE_MAX);
    ASSERT_EQ(chmod(place.file(grass).c_str(), 0), 0);
    expectUnusable(place.folder.path(), message);
  }
}

TEST(BadSurroundings, ACutBitmapIsRefused) {
  auto builtSize = [](TextureKey key) { return fs::file_size(textureFiles + "/" + fileOf(key)); };
  const TextureKey first = TextureKey::grass, last = TextureKey::metal1;
  {
    SCOPED_TRACE("pixel data cut short, first bitmap");
    Surroundings place;
    place.cut(first, builtSize(first) / 2);
    expectUnusable(place.folder.path(), "Error reading image data from " + pathOf(first) + ".\n");
  }
  {
    SCOPED_TRACE("pixel data one byte short, last bitmap");
    Surroundings place;
    place.cut(last, builtSize(last) - 1);
    expectUnusable(place.folder.path(), "Error reading image data from " + pathOf(last) + ".\n");
  }
  {
    SCOPED_TRACE("header cut before the planes field, which reads as 0");
    Surroundings place;
    place.cut(first, cutHeaderBytes);
    expectUnusable(place.folder.path(), "Planes from " + pathOf(first) + " is not 1: 0\n");
  }
  {
    SCOPED_TRACE("an empty file");
    Surroundings place;
    place.cut(TextureKey::leaf, 0);
    expectUnusable(place.folder.path(), "Planes from " + pathOf(TextureKey::leaf) + " is not 1: 0\n");
  }
}

TEST(BadSurroundings, AMissingOrShortRawFileIsPassedOverSilently) {
  {
    SCOPED_TRACE("missing");
    Surroundings place;
    fs::remove(place.file(TextureKey::stone));
    expectRunsNormally(place.folder.path());
  }
  {
    SCOPED_TRACE("two bytes, too short for one pixel");
    Surroundings place;
    place.cut(TextureKey::stone, 2);
    expectRunsNormally(place.folder.path());
  }
}

}  // namespace
