#include "tests/fuzz/fuzz_input_file.h"

#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

namespace {

std::string folder;      // the private folder, made on first use
std::string hostPath;    // the input file as the file system names it
std::string writtenPath; // the same path with a backslash, as the program writes paths

// Removes the input file and the folder when the process ends normally.
void removeFolder() {
  if (folder.empty()) return;
  unlink(hostPath.c_str());
  rmdir(folder.c_str());
}

// Makes the private folder and names the input file in it: in memory where
// the system offers a memory file system (several times faster), else in /tmp.
void makeFolder() {
  char inMemory[] = "/dev/shm/kesh-fuzz-XXXXXX";
  char onDisk[] = "/tmp/kesh-fuzz-XXXXXX";
  const char* made = mkdtemp(inMemory);
  if (!made) made = mkdtemp(onDisk);
  if (!made) {
    std::perror("kesh fuzzer: mkdtemp");
    std::abort();
  }
  folder = made;
  hostPath = folder + "/input";
  writtenPath = folder + "\\input";
  std::atexit(removeFolder);
}

}  // namespace

const std::string& writeInputFile(const uint8_t* bytes, size_t size) {
  if (folder.empty()) makeFolder();
  std::FILE* out = std::fopen(hostPath.c_str(), "wb");
  if (!out || std::fwrite(bytes, 1, size, out) != size || std::fclose(out) != 0) {
    std::perror("kesh fuzzer: writing the input file");
    std::abort();
  }
  return writtenPath;
}

void require(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "kesh fuzzer: property broken: %s\n", property);
  std::abort();
}
