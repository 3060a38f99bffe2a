// The Debian package, built with CPack into a temporary folder: its control
// fields and contents as dpkg-deb lists them, the unpacked tree run from
// another folder, and its manual page as man renders it.
#include <gtest/gtest.h>
#include <dirent.h>

#include <map>
#include <regex>
#include <set>
#include <sstream>

#include "tests/e2e/installed_program.h"
#include "tests/support/temp_folder.h"
#include "texture_tables/texture_manifest.h"

namespace {

class DebianPackage : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(work.path().empty());
    const CommandResult pack = runCommand(KESH_CPACK " --config " +
                                          shellQuoted(KESH_BUILD_DIR "/CPackConfig.cmake") + " -B " +
                                          shellQuoted(work.path()));
    ASSERT_EQ(pack.status, 0) << pack.output;
    if (DIR* dir = opendir(work.path().c_str())) {
      while (const dirent* entry = readdir(dir)) {
        const std::string name = entry->d_name;
        if (name.size() > 4 && name.substr(name.size() - 4) == ".deb") deb = work.file(name);
      }
      closedir(dir);
    }
    ASSERT_FALSE(deb.empty()) << "no .deb in " << work.path() << "\n" << pack.output;
  }

  // Unpacks the package's files into a folder of the work folder; its path.
  std::string unpack() {
    const std::string root = work.file("root");
    const CommandResult result = runCommand("dpkg-deb -x " + shellQuoted(deb) + " " + shellQuoted(root));
    EXPECT_EQ(result.status, 0) << result.output;
    return root;
  }

  std::string field(const std::string& name) {
    const CommandResult result = runCommand("dpkg-deb --field " + shellQuoted(deb) + " " + name);
    EXPECT_EQ(result.status, 0) << result.output;
    std::string value = result.output;
    while (!value.empty() && value.back() == '\n') value.pop_back();
    return value;
  }

  TempFolder work;
  std::string deb;
};

// The names of the packages a Depends field lists, alternatives included.
std::set<std::string> dependedPackages(const std::string& depends) {
  static const std::regex name(R"((?:^|[,|]\s*)([a-z0-9][a-z0-9.+-]+))");
  std::set<std::string> names;
  for (std::sregex_iterator it(depends.begin(), depends.end(), name), end; it != end; ++it) {
    names.insert((*it)[1]);
  }
  return names;
}

TEST_F(DebianPackage, ControlFieldsNameThePackageAndTheLibrariesItRunsOn) {
  EXPECT_EQ(field("Package"), "kesh-valdrune");
  EXPECT_EQ(field("Version"), KESH_VERSION);
  const CommandResult architecture = runCommand("dpkg --print-architecture");
  EXPECT_EQ(field("Architecture") + "\n", architecture.output);
  EXPECT_EQ(field("Section"), "graphics");
  EXPECT_NE(field("Maintainer").find('@'), std::string::npos);
  EXPECT_EQ(field("Description").rfind("real-time 3-D demonstration", 0), 0u);

  const std::set<std::string> depends = dependedPackages(field("Depends"));
  // The window toolkit, GLU, the GL dispatch library and the C++ runtime.
  for (const char* needed : {"libglut3.12", "libglu1-mesa", "libopengl0", "libc6", "libstdc++6"}) {
    EXPECT_EQ(depends.count(needed), 1u) << needed << " missing from " << field("Depends");
  }
  // PNG and the model loader serve the tools only; the program does not link them.
  for (const std::string& name : depends) {
    EXPECT_EQ(name.find("png"), std::string::npos) << name;
    EXPECT_EQ(name.find("tinyobj"), std::string::npos) << name;
  }
}

TEST_F(DebianPackage, HoldsExactlyTheInstallTreeUnderUsrOwnedByRoot) {
  const CommandResult contents = runCommand("dpkg-deb --contents " + shellQuoted(deb));
  ASSERT_EQ(contents.status, 0) << contents.output;
  // Lines of "mode owner/group size date time path".
  std::map<std::string, std::string> fileModes;
  std::istringstream lines(contents.output);
  for (std::string line; std::getline(lines, line);) {
    std::istringstream words(line);
    std::string mode, owner, size, date, time, path;
    words >> mode >> owner >> size >> date >> time >> path;
    EXPECT_EQ(owner, "root/root") << line;
    EXPECT_EQ(path.rfind("./usr/", 0), 0u) << line;
    if (mode[0] == '-') fileModes[path.substr(1)] = mode;
  }

  std::map<std::string, std::string> expected = {
      {"/usr/bin/kesh-valdrune", "-rwxr-xr-x"},
      {"/usr/lib/kesh-valdrune/kesh-valdrune", "-rwxr-xr-x"},
      {"/usr/share/applications/kesh-valdrune.desktop", "-rw-r--r--"},
      {"/usr/share/icons/hicolor/48x48/apps/kesh-valdrune.png", "-rw-r--r--"},
      {"/usr/share/icons/hicolor/256x256/apps/kesh-valdrune.png", "-rw-r--r--"},
      {"/usr/share/man/man6/kesh-valdrune.6.gz", "-rw-r--r--"},
  };
  for (const std::string& name : textureNames) {
    expected["/usr/share/kesh-valdrune/textures/" + name] = "-rw-r--r--";
  }
  EXPECT_EQ(fileModes, expected);

  // The packaged program carries no symbol table.
  const std::string root = unpack();
  const CommandResult kind =
      runCommand("file -b " + shellQuoted(root + "/usr/lib/kesh-valdrune/kesh-valdrune"));
  EXPECT_NE(kind.output.find("ELF"), std::string::npos) << kind.output;
  EXPECT_EQ(kind.output.find("not stripped"), std::string::npos) << kind.output;
}

TEST_F(DebianPackage, UnpackedItRunsFromAnotherFolder) {
  const std::string root = unpack();
  TempFolder elsewhere;
  expectRunEndsOnEscape(root + "/usr/bin/kesh-valdrune", elsewhere.path());
}

TEST_F(DebianPackage, ItsManualPageRendersTheOptionsKeysMenuAndExitStatuses) {
  const std::string page = unpack() + "/usr/share/man/man6/kesh-valdrune.6.gz";
  const std::string warnings = work.file("warnings");
  const CommandResult man =
      runCommand("MANWIDTH=80 man --warnings -l " + shellQuoted(page) + " 2>" + shellQuoted(warnings));
  ASSERT_EQ(man.status, 0) << man.output << readFile(warnings);
  EXPECT_EQ(readFile(warnings), "") << "groff warnings";
  // Bold and underline come as overstrikes when man is not writing to a terminal.
  const std::string text = std::regex_replace(man.output, std::regex(".\b"), "");

  EXPECT_EQ(text.rfind("KESH-VALDRUNE(6)", 0), 0u) << text.substr(0, 80);
  for (const char* heading : {"\nNAME\n", "\nSYNOPSIS\n", "\nOPTIONS\n", "\nKEYS\n", "\nMENU\n",
                              "\nEXIT STATUS\n", "\nFILES\n"}) {
    EXPECT_NE(text.find(heading), std::string::npos) << heading;
  }
  // Every entry of the program's menu is named as the menu shows it.
  const std::vector<std::string> labels = programMenuLabels();
  ASSERT_EQ(labels.size(), 25u) << "entries and submenus the program builds";
  for (const std::string& label : labels) {
    EXPECT_NE(text.find(label), std::string::npos) << label;
  }
  for (const char* key : {"Escape", "Left, Right", "Up, Down", "1, 2, 3, 4"}) {
    EXPECT_NE(text.find(key), std::string::npos) << key;
  }
  const std::string firstBitmap = textureEntry(TextureKey::grass).fileName;
  EXPECT_NE(text.find("File Not Found : textures\\" + firstBitmap), std::string::npos);
  EXPECT_TRUE(std::regex_search(text, std::regex(R"(\n +0 +The +program +was +ended +with +Escape)")));
  EXPECT_TRUE(std::regex_search(text, std::regex(R"(\n +1 +A +texture +bitmap)")));
  EXPECT_TRUE(std::regex_search(text, std::regex(R"(\n +2 +An +unknown +option)")));
}

}  // namespace
