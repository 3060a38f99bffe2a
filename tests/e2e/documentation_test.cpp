// The README against the program and the repository: every menu entry the
// program builds and every option it takes (those also in the manual page),
// links to files that exist, this version's package name, small pictures.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <regex>

#include "app/command_line.h"
#include "tests/e2e/running_program.h"

namespace {

const std::string sourceDir = KESH_SOURCE_DIR;
const std::string readme = readFile(sourceDir + "/README.md");

TEST(Readme, AndTheManualPageNameEveryMenuEntryOptionAndThisVersionsPackage) {
  const std::vector<std::string> labels = programMenuLabels(), names = longOptionNames();
  ASSERT_FALSE(labels.empty() || names.empty());
  for (const std::string& label : labels) EXPECT_NE(readme.find("\"" + label + "\""), std::string::npos) << label;
  const std::string manual = readFile(sourceDir + "/packaging/kesh-valdrune.6");
  for (const std::string& name : names) {
    EXPECT_NE(readme.find("--" + name), std::string::npos) << name << " is not in the README";
    EXPECT_TRUE(std::regex_search(manual, std::regex("\\.TP\n\\.BI? \\\\-\\\\-" + name + "\\b")))
        << name << " has no entry in the manual page";
  }
  EXPECT_NE(readme.find("kesh-valdrune_" KESH_VERSION "_"), std::string::npos);
}

TEST(Readme, LinksOnlyToFilesThatExistAndKeepsItsPicturesSmall) {
  static const std::regex link(R"(\]\(([^)#:]+)\))");
  long long pictureBytes = 0;
  int links = 0;
  for (std::sregex_iterator it(readme.begin(), readme.end(), link), end; it != end; ++it, ++links) {
    const std::string target = (*it)[1];
    struct stat info;
    ASSERT_EQ(stat((sourceDir + "/" + target).c_str(), &info), 0) << target << " is missing";
    if (target.rfind("docs/images/", 0) == 0) pictureBytes += info.st_size;
  }
  EXPECT_GE(links, 4) << "the pictures and the performance notes";
  EXPECT_GT(pictureBytes, 0);
  EXPECT_LE(pictureBytes, 400 * 1024);
}

}  // namespace
