// The README against the program and the repository: every menu entry the
// program builds is in its menu table, every option it takes is explained
// there and in the manual page, every file it links to exists, the
// package name it gives carries the project's version, and its pictures
// stay small.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <regex>

#include "app/command_line.h"
#include "tests/e2e/running_program.h"

namespace {

const std::string sourceDir = KESH_SOURCE_DIR;

std::string readme() { return readFile(sourceDir + "/README.md"); }

TEST(Readme, NamesEveryMenuEntryTheProgramBuildsAndThePackageFileOfThisVersion) {
  const std::string text = readme();
  const std::vector<std::string> labels = programMenuLabels();
  ASSERT_FALSE(labels.empty());
  for (const std::string& label : labels) {
    EXPECT_NE(text.find("\"" + label + "\""), std::string::npos) << label;
  }
  EXPECT_NE(text.find("kesh-valdrune_" KESH_VERSION "_"), std::string::npos);
}

TEST(Readme, LinksOnlyToFilesThatExistAndKeepsItsPicturesSmall) {
  const std::string text = readme();
  static const std::regex link(R"(\]\(([^)#:]+)\))");
  long long pictureBytes = 0;
  int links = 0;
  for (std::sregex_iterator it(text.begin(), text.end(), link), end; it != end; ++it, ++links) {
    const std::string target = (*it)[1];
    struct stat info;
    ASSERT_EQ(stat((sourceDir + "/" + target).c_str(), &info), 0) << target << " is missing";
    if (target.rfind("docs/images/", 0) == 0) pictureBytes += info.st_size;
  }
  EXPECT_GE(links, 4) << "the pictures and the performance notes";
  EXPECT_GT(pictureBytes, 0);
  EXPECT_LE(pictureBytes, 400 * 1024);
}

// Every option the program takes is named in the README and has an entry in
// the manual page.
TEST(Readme, AndTheManualPageExplainEveryOption) {
  const std::string text = readme();
  const std::string manual = readFile(sourceDir + "/packaging/kesh-valdrune.6");
  const std::vector<std::string> names = longOptionNames();
  ASSERT_FALSE(names.empty());
  for (const std::string& name : names) {
    EXPECT_NE(text.find("--" + name), std::string::npos) << name << " is not in the README";
    const std::regex entry("\\.TP\n\\.BI? \\\\-\\\\-" + name + "\\b");
    EXPECT_TRUE(std::regex_search(manual, entry)) << name << " has no entry in the manual page";
  }
}

}  // namespace
