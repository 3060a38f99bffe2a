// The Debian package, built once by the test e2e.package into KESH_PACKAGE_DIR
// and unpacked there into root/: its control fields and contents, its manual
// page as man renders it, its desktop entry, and the unpacked tree run through
// its launcher through a link and through the PATH.
#include <gtest/gtest.h>
#include <unistd.h>

#include <map>
#include <regex>
#include <sstream>

#include "tests/e2e/running_program.h"
#include "tests/support/temp_folder.h"
#include "texture_tables/texture_manifest.h"

namespace {

const std::string packageDir = KESH_PACKAGE_DIR;
const std::string root = packageDir + "/root";
const std::string launcher = root + "/usr/bin/kesh-valdrune";

std::string trimmed(const std::string& text) { return text.substr(0, text.find_last_not_of('\n') + 1); }

std::string field(const std::string& name) {
  const CommandResult result = runCommand("dpkg-deb --field " + shellQuoted(packageDir) + "/*.deb " + name);
  EXPECT_EQ(result.status, 0) << result.output;
  return trimmed(result.output);
}

TEST(Package, ControlFieldsNameThePackageAndTheLibrariesItRunsOn) {
  const std::pair<const char*, std::string> fields[] = {
      {"Package", "kesh-valdrune"},
      {"Version", KESH_VERSION},
      {"Architecture", trimmed(runCommand("dpkg --print-architecture").output)},
      {"Section", "graphics"}};
  for (const auto& [name, value] : fields) EXPECT_EQ(field(name), value) << name;
  EXPECT_NE(field("Maintainer").find('@'), std::string::npos);
  EXPECT_EQ(field("Description").rfind("real-time 3-D demonstration", 0), 0u);

  // The window toolkit, GLU, GL dispatch and the C++ runtime; PNG and the model loader serve the tools only.
  const std::string depends = ", " + field("Depends") + ",";
  for (const std::string needed : {"libglut3.12", "libglu1-mesa", "libopengl0", "libc6", "libstdc++6"}) {
    const bool listed = depends.find(" " + needed + " ") != std::string::npos ||
                        depends.find(" " + needed + ",") != std::string::npos;
    EXPECT_TRUE(listed) << needed << " missing from" << depends;
  }
  EXPECT_FALSE(std::regex_search(depends, std::regex("png|tinyobj"))) << depends;
}

// Every file with its mode, under /usr, owned by root; textures and icons as built and committed.
TEST(Package, HoldsTheProgramTexturesIconsAndManualPageUnderUsrOwnedByRoot) {
  const CommandResult contents = runCommand("dpkg-deb --contents " + shellQuoted(packageDir) + "/*.deb");
  ASSERT_EQ(contents.status, 0) << contents.output;
  std::map<std::string, std::string> modes;  // of the files, by path
  std::istringstream lines(contents.output);
  for (std::string line; std::getline(lines, line);) {
    std::string mode, owner, size, date, time, path;
    std::istringstream(line) >> mode >> owner >> size >> date >> time >> path;
    EXPECT_EQ(owner, "root/root") << line;
    EXPECT_EQ(path.rfind("./usr/", 0), 0u) << line;
    if (mode[0] == '-') modes[path.substr(1)] = mode;
  }
  std::map<std::string, std::string> expected = {
      {"/usr/bin/kesh-valdrune", "-rwxr-xr-x"},
      {"/usr/lib/kesh-valdrune/kesh-valdrune", "-rwxr-xr-x"},
      {"/usr/share/applications/kesh-valdrune.desktop", "-rw-r--r--"},
      {"/usr/share/man/man6/kesh-valdrune.6.gz", "-rw-r--r--"},
  };
  std::map<std::string, std::string> sources;  // where the shipped bytes come from
  for (const char* side : {"48", "256"}) {
    const std::string icon = std::string("/usr/share/icons/hicolor/") + side + "x" + side + "/apps/kesh-valdrune.png";
    sources[icon] = KESH_SOURCE_DIR "/packaging/icons/kesh-valdrune-" + std::string(side) + ".png";
  }
  for (const TextureEntry& texture : textureManifest) {
    sources[std::string("/usr/share/kesh-valdrune/textures/") + texture.fileName] =
        std::string(KESH_TEXTURE_DIR "/") + texture.fileName;
  }
  for (const auto& [path, source] : sources) {
    expected[path] = "-rw-r--r--";
    const std::string bytes = readFile(source);
    EXPECT_TRUE(!bytes.empty() && readFile(root + path) == bytes) << path << " differs from " << source;
  }
  EXPECT_EQ(modes, expected);
  const CommandResult kind = runCommand("file -b " + shellQuoted(root + "/usr/lib/kesh-valdrune/kesh-valdrune"));
  EXPECT_NE(kind.output.find("ELF"), std::string::npos) << kind.output;
  EXPECT_EQ(kind.output.find("not stripped"), std::string::npos) << kind.output;
}

TEST(Package, ItsManualPageRendersTheOptionsKeysMenuAndExitStatuses) {
  const std::string page = root + "/usr/share/man/man6/kesh-valdrune.6.gz";
  EXPECT_EQ(runCommand("gzip -dc " + shellQuoted(page)).output, readFile(KESH_SOURCE_DIR "/packaging/kesh-valdrune.6"));
  TempFolder work;
  const CommandResult man = runCommand("MANWIDTH=80 man --warnings -l " + shellQuoted(page) + " 2>" +
                                       shellQuoted(work.file("warnings")));
  ASSERT_EQ(man.status, 0) << man.output;
  EXPECT_EQ(readFile(work.file("warnings")), "") << "groff warnings";
  // Bold and underline come as overstrikes when man does not write to a terminal.
  const std::string text = std::regex_replace(man.output, std::regex(".\b"), "");
  EXPECT_EQ(text.rfind("KESH-VALDRUNE(6)", 0), 0u) << text.substr(0, 80);
  std::vector<std::string> wanted = {"\nNAME\n", "\nSYNOPSIS\n", "\nOPTIONS\n", "\nKEYS\n", "\nMENU\n",
                                     "\nEXIT STATUS\n", "\nFILES\n", "Escape", "Left, Right", "Up, Down",
                                     "1, 2, 3, 4"};
  wanted.push_back(std::string("File Not Found : textures\\") + textureEntry(TextureKey::grass).fileName);
  const std::vector<std::string> labels = programMenuLabels();
  EXPECT_EQ(labels.size(), 25u) << "entries and submenus the program builds";
  wanted.insert(wanted.end(), labels.begin(), labels.end());
  for (const std::string& words : wanted) EXPECT_NE(text.find(words), std::string::npos) << words;
  for (const char* status : {R"(\n +0 +The +program +was +ended +with +Escape)", R"(\n +1 +A +texture +bitmap)",
                             R"(\n +2 +An +unknown +option)"}) {
    EXPECT_TRUE(std::regex_search(text, std::regex(status))) << status;
  }
}

// The key=value lines of one group of the desktop entry.
std::map<std::string, std::string> desktopKeys(const std::string& group) {
  std::map<std::string, std::string> keys;
  std::istringstream lines(readFile(root + "/usr/share/applications/kesh-valdrune.desktop"));
  bool inGroup = false;
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line[0] == '[') inGroup = line == "[" + group + "]";
    const size_t eq = line.find('=');
    if (inGroup && eq != std::string::npos) keys[line.substr(0, eq)] = line.substr(eq + 1);
  }
  return keys;
}

TEST(Package, DesktopEntryIsValidAndNamesTheCommandAndIcon) {
  const CommandResult validate =
      runCommand("desktop-file-validate " + shellQuoted(root + "/usr/share/applications/kesh-valdrune.desktop"));
  EXPECT_EQ(validate.status, 0) << validate.output;
  EXPECT_EQ(validate.output, "");
  std::map<std::string, std::string> keys = desktopKeys("Desktop Entry");
  EXPECT_EQ(keys["Type"] + "|" + keys["Name"] + "|" + keys["Terminal"] + "|" + keys["Actions"],
            "Application|Kesh Valdrune|false|tour;");
  EXPECT_EQ(keys["Exec"], "kesh-valdrune") << "looked up on the PATH, where the launcher is";
  EXPECT_EQ(access((root + "/usr/bin/" + keys["Exec"]).c_str(), X_OK), 0);
  for (const char* size : {"48x48", "256x256"}) {
    EXPECT_EQ(access((root + "/usr/share/icons/hicolor/" + size + "/apps/" + keys["Icon"] + ".png").c_str(), R_OK), 0)
        << size;
  }
}

// The entry's action starts the tour on the whole of a wide screen through
// the command on the PATH: the window covers the screen and the stars reach
// its sides, where a 4:3 view would leave black bands.
TEST(Package, DesktopActionStartsTheTourFullScreen) {
  std::map<std::string, std::string> action = desktopKeys("Desktop Action tour");
  EXPECT_EQ(action["Name"], "Full-screen tour");
  ASSERT_EQ(action["Exec"], "kesh-valdrune --fullscreen --tour");
  constexpr int width = 1600, height = 900, band = (width - height * 4 / 3) / 2;
  TempFolder elsewhere;
  RunningProgram run(RunScreen{width, height});
  const std::string path = "PATH=" + root + "/usr/bin:/usr/bin:/bin; ";
  ASSERT_TRUE(run.start("/bin/sh", elsewhere.path(), {"-c", path + action["Exec"]}));
  ASSERT_NE(run.waitForWindow(), 0u) << run.errors();
  ASSERT_TRUE(run.waitForFrames(30)) << run.errors();
  const WindowBox box = run.box(run.window());
  EXPECT_EQ(std::vector<int>({box.x, box.y, box.width, box.height}), std::vector<int>({0, 0, width, height}));
  for (const int left : {0, width - band}) {
    std::vector<unsigned char> rgb;
    ASSERT_TRUE(run.grab({left, 0, band, height}, rgb));
    std::vector<int> lit(band);
    for (size_t i = 0; i < rgb.size(); i += 3) lit[i / 3 % band] += std::max({rgb[i], rgb[i + 1], rgb[i + 2]}) > 8;
    for (int column = 0; column < band; ++column) {
      ASSERT_GT(lit[column], height / 20) << "a black column at x " << left + column;
    }
  }
  EXPECT_EQ(run.quitWithEscape(), 0);
  EXPECT_EQ(run.errors(), "");
}

TEST(Package, LauncherRunsTheProgramFromAnotherFolderThroughALink) {
  TempFolder elsewhere;
  ASSERT_EQ(symlink(launcher.c_str(), elsewhere.file("demo").c_str()), 0);
  expectRunEndsOnEscape(elsewhere.file("demo"), elsewhere.path());
}

// Arguments reach the program and its messages and status come back; a
// launcher without its data folder says so.
TEST(Package, LauncherPassesArgumentsMessagesAndStatusThrough) {
  TempFolder elsewhere;
  ASSERT_EQ(runCommand("cp -a " + shellQuoted(root + "/usr/bin") + " " + shellQuoted(root + "/usr/lib") + " " +
                       shellQuoted(elsewhere.path())).status, 0);
  const std::pair<std::string, std::string> cases[] = {
      {launcher, "kesh-valdrune: cannot open the X display \":97\""},
      {elsewhere.file("bin/kesh-valdrune"), "kesh-valdrune: its data folder"},
  };
  for (const auto& [command, errors] : cases) {
    SCOPED_TRACE(errors);
    RunningProgram run(RunScreen{0, 0});
    ASSERT_TRUE(run.start(command, elsewhere.path(), {"-display", ":97"}));
    EXPECT_EQ(run.waitForExit(), 1);
    EXPECT_EQ(run.errors().rfind(errors, 0), 0u) << run.errors();
    EXPECT_EQ(run.output(), "");
  }
}

}  // namespace
