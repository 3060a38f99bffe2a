#include "tests/e2e/memcheck_log.h"

#include <algorithm>
#include <regex>
#include <sstream>

namespace {

// Numbers in the log carry thousands separators: "168,000".
uint64_t number(std::string text) {
  text.erase(std::remove(text.begin(), text.end(), ','), text.end());
  return std::stoull(text);
}

// A frame that only passes the allocation on: the allocator itself, or code
// of the C and C++ libraries (string and container growth, strdup, ...).
bool passesAllocationOn(const std::string& frame) {
  static const std::regex libraries(
      R"(vgpreload_|/libstdc\+\+|/libc\.so|/usr/include/c\+\+/|)"
      R"(\((malloc|calloc|realloc|strdup)\.c:)");
  return std::regex_search(frame, libraries);
}

}  // namespace

MemcheckLog parseMemcheckLog(const std::string& text) {
  static const std::regex prefix(R"(^==\d+== ?)");
  static const std::regex header(
      R"(^([\d,]+) (?:\([\d,]+ direct, [\d,]+ indirect\) )?bytes in [\d,]+ blocks are )"
      R"((definitely lost|indirectly lost|possibly lost|still reachable) in loss record)");
  static const std::regex frame(R"(^\s+(at|by) 0x[0-9A-Fa-f]+: )");
  static const std::regex summary(R"(^ERROR SUMMARY: ([\d,]+) errors)");

  MemcheckLog log;
  LossRecord* open = nullptr;  // the record whose frames are being read
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    line = std::regex_replace(line, prefix, "");
    std::smatch match;
    if (std::regex_search(line, match, header)) {
      log.records.push_back({number(match[1]), match[2], {}});
      open = &log.records.back();
    } else if (open && std::regex_search(line, frame)) {
      open->frames.push_back(line.substr(line.find_first_not_of(" \t")));
    } else if (std::regex_search(line, match, summary)) {
      log.errors = static_cast<int>(number(match[1]));
      open = nullptr;
    } else {
      open = nullptr;
    }
  }
  return log;
}

bool allocatedByProgram(const LossRecord& record, const std::string& executable,
                        const std::string& sourceDir) {
  for (const std::string& frame : record.frames) {
    if (passesAllocationOn(frame)) continue;
    return frame.find("(in " + executable + ")") != std::string::npos ||
           frame.find("(" + sourceDir + "/") != std::string::npos;
  }
  return false;
}
