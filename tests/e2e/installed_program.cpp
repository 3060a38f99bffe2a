#include "tests/e2e/installed_program.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>

#include "tests/e2e/running_program.h"
#include "texture_tables/texture_manifest.h"

const std::vector<std::string> textureNames = [] {
  std::vector<std::string> names;
  for (const TextureEntry& entry : textureManifest) names.push_back(entry.fileName);
  return names;
}();

CommandResult runCommand(const std::string& command) {
  CommandResult result;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (!pipe) return result;
  char buffer[4096];
  for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
    result.output.append(buffer, n);
  }
  const int status = pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

std::string shellQuoted(const std::string& path) {
  std::string text = "'";
  for (const char c : path) {
    if (c == '\'') {
      text += "'\\''";
    } else {
      text += c;
    }
  }
  return text + "'";
}

bool isFile(const std::string& path) {
  struct stat info;
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool isExecutableFile(const std::string& path) {
  return isFile(path) && access(path.c_str(), X_OK) == 0;
}

std::vector<std::string> programMenuLabels() {
  static const std::regex label(R"re(glutAdd(?:MenuEntry|SubMenu)\("([^"]+)")re");
  const std::string source = readFile(KESH_SOURCE_DIR "/app/menus.cpp");
  std::vector<std::string> labels;
  for (std::sregex_iterator it(source.begin(), source.end(), label), end; it != end; ++it) {
    labels.push_back((*it)[1]);
  }
  return labels;
}

void expectRunEndsOnEscape(const std::string& launcher, const std::string& workdir) {
  RunningProgram run;
  ASSERT_TRUE(run.start(launcher, workdir));
  const Window window = run.waitForWindow();
  ASSERT_NE(window, 0u) << run.output() << run.errors();
  ASSERT_FALSE(run.titles().empty());
  EXPECT_EQ(run.titles()[0], "Kesh Valdrune by Halvorsk");
  // A frame-rate title means the textures loaded and frames are drawn.
  EXPECT_TRUE(run.waitForTitle(
      [](const std::string& t) { return t.rfind("Kesh Valdrune by Halvorsk       [ FPS: ", 0) == 0; }));
  EXPECT_EQ(run.quitWithEscape(), 0);
  EXPECT_EQ(run.output(), readFile(KESH_SOURCE_DIR "/tests/e2e/banner.txt"));
  EXPECT_EQ(run.errors(), "");
}
