// Reading a valgrind memcheck log: the error count and the loss records of
// the leak check, and which of them the program itself allocated.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

struct LossRecord {
  uint64_t bytes = 0;               // all bytes of the record, indirect ones included
  std::string kind;                 // "definitely lost", "still reachable", ...
  std::vector<std::string> frames;  // the allocation's stack, allocator first
};

struct MemcheckLog {
  int errors = -1;  // from the error summary; -1 when the log has none
  std::vector<LossRecord> records;
};

MemcheckLog parseMemcheckLog(const std::string& text);

// True when the allocation was asked for by the program's own code: the first
// frame past the allocator, the C library and the C++ library lies in the
// program (its executable, or a source file under sourceDir). Allocations a
// library makes for itself, even when called from the program, are not.
bool allocatedByProgram(const LossRecord& record, const std::string& executable,
                        const std::string& sourceDir);
