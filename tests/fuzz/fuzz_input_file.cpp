#include "tests/fuzz/fuzz_input_file.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

std::string folder;       // the private folder, made on first use
std::string hostPath;     // the input file as the file system names it
std::string writtenPath;  // the same path with a backslash, as the program writes paths

void removeFolder() {
  unlink(hostPath.c_str());
  rmdir(folder.c_str());
}

[[noreturn]] void fail(const char* what) {
  std::perror(what);
  std::abort();
}

}  // namespace

const std::string& writeInputFile(const uint8_t* bytes, size_t size) {
  if (folder.empty()) {
    // In memory where the system has a memory file system (several times faster).
    char inMemory[] = "/dev/shm/kesh-fuzz-XXXXXX", onDisk[] = "/tmp/kesh-fuzz-XXXXXX";
    const char* made = mkdtemp(inMemory);
    if (!made && !(made = mkdtemp(onDisk))) fail("kesh fuzzer: mkdtemp");
    folder = made;
    hostPath = folder + "/input";
    writtenPath = folder + "\\input";
    std::atexit(removeFolder);
  }
  std::FILE* out = std::fopen(hostPath.c_str(), "wb");
  if (!out || std::fwrite(bytes, 1, size, out) != size || std::fclose(out) != 0) {
    fail("kesh fuzzer: writing the input file");
  }
  return writtenPath;
}

void require(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "kesh fuzzer: property broken: %s\n", property);
  std::abort();
}
