// The install tree, put into a temporary prefix with cmake --install and run
// from there through its launcher: from other folders, through the PATH and
// links, with arguments, without textures and without its data folder.
#include <gtest/gtest.h>
#include <dirent.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <sstream>

#include "tests/e2e/installed_program.h"
#include "tests/e2e/running_program.h"
#include "tests/support/temp_folder.h"
#include "texture_tables/texture_manifest.h"
#include "tools/common/png_image.h"

namespace {

constexpr int iconSides[] = {48, 256};

// Installs the build into a fresh temporary prefix.
class InstalledTree : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(root.path().empty());
    const CommandResult install = runCommand(KESH_CMAKE " --install " + shellQuoted(KESH_BUILD_DIR) +
                                             " --prefix " + shellQuoted(prefix()));
    ASSERT_EQ(install.status, 0) << install.output;
  }

  std::string prefix() const { return root.file("usr"); }
  std::string launcher() const { return prefix() + "/bin/kesh-valdrune"; }
  std::string dataDir() const { return prefix() + "/share/kesh-valdrune"; }

  TempFolder root;
  TempFolder elsewhere;  // a working folder with no textures in it
};

std::vector<std::string> folderEntries(const std::string& path) {
  std::vector<std::string> names;
  if (DIR* dir = opendir(path.c_str())) {
    while (const dirent* entry = readdir(dir)) {
      const std::string name = entry->d_name;
      if (name != "." && name != "..") names.push_back(name);
    }
    closedir(dir);
  }
  std::sort(names.begin(), names.end());
  return names;
}

// The key=value lines of one group of a desktop entry ("Desktop Entry",
// "Desktop Action NAME").
std::map<std::string, std::string> desktopEntryKeys(const std::string& text,
                                                    const std::string& group) {
  std::map<std::string, std::string> keys;
  std::istringstream lines(text);
  bool inGroup = false;
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line[0] == '[') inGroup = line == "[" + group + "]";
    const size_t eq = line.find('=');
    if (inGroup && eq != std::string::npos && line[0] != '#') {
      keys[line.substr(0, eq)] = line.substr(eq + 1);
    }
  }
  return keys;
}

TEST_F(InstalledTree, PutsTheProgramItsTexturesIconsAndManualPageInPlace) {
  EXPECT_TRUE(isExecutableFile(launcher()));
  EXPECT_TRUE(isExecutableFile(prefix() + "/lib/kesh-valdrune/kesh-valdrune"));

  std::vector<std::string> expected = textureNames;
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(folderEntries(dataDir() + "/textures"), expected);
  for (const std::string& name : textureNames) {
    const std::string built = readFile(std::string(KESH_TEXTURE_DIR) + "/" + name);
    EXPECT_FALSE(built.empty()) << name;
    EXPECT_TRUE(readFile(dataDir() + "/textures/" + name) == built) << name << " differs";
  }

  for (const int side : iconSides) {
    const std::string size = std::to_string(side) + "x" + std::to_string(side);
    RgbImage icon;
    ASSERT_TRUE(readPng(prefix() + "/share/icons/hicolor/" + size + "/apps/kesh-valdrune.png", icon))
        << size;
    EXPECT_EQ(icon.width, side);
    EXPECT_EQ(icon.height, side);
  }

  const CommandResult page =
      runCommand("gzip -dc " + shellQuoted(prefix() + "/share/man/man6/kesh-valdrune.6.gz"));
  EXPECT_EQ(page.status, 0);
  EXPECT_EQ(page.output, readFile(KESH_SOURCE_DIR "/packaging/kesh-valdrune.6"));
}

TEST_F(InstalledTree, DesktopEntryIsValidAndNamesTheInstalledCommandAndIcon) {
  const std::string entry = prefix() + "/share/applications/kesh-valdrune.desktop";
  const CommandResult validate = runCommand("desktop-file-validate " + shellQuoted(entry));
  EXPECT_EQ(validate.status, 0) << validate.output;
  EXPECT_EQ(validate.output, "");

  std::map<std::string, std::string> keys = desktopEntryKeys(readFile(entry), "Desktop Entry");
  EXPECT_EQ(keys["Type"], "Application");
  EXPECT_EQ(keys["Name"], "Kesh Valdrune");
  EXPECT_EQ(keys["Terminal"], "false");
  // The command is looked up on the PATH, where the launcher is installed.
  EXPECT_EQ(keys["Exec"], "kesh-valdrune");
  EXPECT_TRUE(isExecutableFile(prefix() + "/bin/" + keys["Exec"]));
  for (const int side : iconSides) {
    const std::string size = std::to_string(side) + "x" + std::to_string(side);
    EXPECT_TRUE(isFile(prefix() + "/share/icons/hicolor/" + size + "/apps/" + keys["Icon"] + ".png"))
        << size;
  }
}

// The entry's one action starts the tour on the whole screen, through the
// command on the PATH; Escape ends it as it ends the program.
TEST_F(InstalledTree, DesktopActionStartsTheTourFullScreen) {
  const std::string text = readFile(prefix() + "/share/applications/kesh-valdrune.desktop");
  EXPECT_EQ(desktopEntryKeys(text, "Desktop Entry")["Actions"], "tour;");
  std::map<std::string, std::string> action = desktopEntryKeys(text, "Desktop Action tour");
  EXPECT_EQ(action["Name"], "Full-screen tour");
  ASSERT_EQ(action["Exec"], "kesh-valdrune --fullscreen --tour");

  RunningProgram run;
  ASSERT_TRUE(run.start("/bin/sh", elsewhere.path(), {"PATH=" + prefix() + "/bin:/usr/bin:/bin"},
                        {"-c", action["Exec"]}));
  const Window window = run.waitForWindow();
  ASSERT_NE(window, 0u) << run.errors();
  ASSERT_TRUE(run.waitForFrames(1)) << run.errors();
  const WindowBox box = run.box(window), screen = run.screenBox();
  EXPECT_EQ(box.width, screen.width);
  EXPECT_EQ(box.height, screen.height);
  EXPECT_EQ(run.quitWithEscape(), 0);
  EXPECT_EQ(run.errors(), "");
}

TEST_F(InstalledTree, LauncherRunsTheProgramFromAnotherFolder) {
  expectRunEndsOnEscape(launcher(), elsewhere.path());
}

TEST_F(InstalledTree, LauncherWorksThroughALinkAndThroughThePath) {
  const std::string link = elsewhere.file("demo");
  ASSERT_EQ(symlink(launcher().c_str(), link.c_str()), 0);
  expectRunEndsOnEscape(link, elsewhere.path());

  // A desktop entry or a terminal finds it by name on the PATH.
  RunningProgram run;
  ASSERT_TRUE(run.start("/bin/sh", elsewhere.path(),
                        {"PATH=" + prefix() + "/bin:/usr/bin:/bin", "DISPLAY=:97"},
                        {"-c", "kesh-valdrune"}));
  EXPECT_EQ(run.waitForExit(), 1);
  EXPECT_NE(run.errors().find("cannot open the X display \":97\""), std::string::npos)
      << run.errors();
}

TEST_F(InstalledTree, LauncherPassesArgumentsAndTheProgramsMessageAndStatusThrough) {
  {
    RunningProgram run;
    ASSERT_TRUE(run.start(launcher(), elsewhere.path(), {}, {"-display", ":97"}));
    EXPECT_EQ(run.waitForExit(), 1);
    EXPECT_NE(run.errors().find("cannot open the X display \":97\""), std::string::npos)
        << run.errors();
    EXPECT_EQ(run.output(), "");
  }
  {
    RunningProgram run;
    ASSERT_TRUE(run.start(launcher(), elsewhere.path(), {"DISPLAY="}));
    EXPECT_EQ(run.waitForExit(), 1);
    EXPECT_EQ(run.errors().rfind("kesh-valdrune: cannot open the X display \"\".", 0), 0u)
        << run.errors();
    EXPECT_NE(run.errors().find("xvfb-run"), std::string::npos);
    EXPECT_EQ(run.window(), 0u);
  }
}

TEST_F(InstalledTree, AMissingTextureEndsTheProgramWithItsMessageAndStatusOne) {
  const std::string grass = textureEntry(TextureKey::grass).fileName;
  ASSERT_EQ(std::remove((dataDir() + "/textures/" + grass).c_str()), 0);
  RunningProgram run;
  ASSERT_TRUE(run.start(launcher(), elsewhere.path()));
  EXPECT_EQ(run.waitForExit(), 1);
  const std::string message = "File Not Found : textures\\" + grass + "\n";
  ASSERT_GE(run.output().size(), message.size()) << run.output();
  EXPECT_EQ(run.output().substr(run.output().size() - message.size()), message);
}

TEST_F(InstalledTree, WithoutItsDataFolderTheLauncherSaysSo) {
  ASSERT_EQ(std::rename(dataDir().c_str(), (dataDir() + ".moved").c_str()), 0);
  RunningProgram run;
  ASSERT_TRUE(run.start(launcher(), elsewhere.path()));
  EXPECT_EQ(run.waitForExit(), 1);
  EXPECT_NE(run.errors().find("data folder"), std::string::npos) << run.errors();
  EXPECT_EQ(run.output(), "");
  EXPECT_EQ(run.window(), 0u);
}

}  // namespace
