// What both fuzzers share: the input handed to a reader as a real file, read by path as the
// program reads, and the checks on what the reader made of it.
#pragma once
#include <stdlib.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

// Aborts with the property's name when it does not hold; libFuzzer keeps the input.
inline void require(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "kesh fuzzer: property broken: %s\n", property);
  std::abort();
}

// Writes bytes to this process's one input file (in a private folder removed at exit);
// returns its path with the last separator a backslash, as the program writes paths.
inline const std::string& writeInputFile(const uint8_t* bytes, size_t size) {
  static std::string folder, written;
  if (folder.empty()) {  // in memory where there is a memory file system: several times faster
    char inMemory[] = "/dev/shm/kesh-fuzz-XXXXXX", onDisk[] = "/tmp/kesh-fuzz-XXXXXX";
    const char* made = mkdtemp(inMemory);
    require(made || (made = mkdtemp(onDisk)), "a private folder for the input file");
    folder = made;
    written = folder + "\\input";
    std::atexit([] { unlink((folder + "/input").c_str()), rmdir(folder.c_str()); });
  }
  std::FILE* out = std::fopen((folder + "/input").c_str(), "wb");
  require(out && std::fwrite(bytes, 1, size, out) == size && std::fclose(out) == 0,
          "the input file written");
  return written;
}

// The little-endian number in count bytes from offset; bytes past the end read as 0.
inline uint64_t littleEndian(const uint8_t* data, size_t size, size_t offset, int count) {
  uint64_t value = 0;
  for (size_t at = offset + count; at-- > offset;) value = value << 8 | (at < size ? data[at] : 0);
  return value;
}
