#include "platform/data_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

std::string hostPath(const char* path) {
  std::string host(path ? path : "");
  std::replace(host.begin(), host.end(), '\\', '/');
  return host;
}

// Opened without waiting, so that a FIFO in the data folder cannot block
// start-up for good; only regular files count as data files.
std::FILE* openDataFile(const char* path) {
  const int fd = open(hostPath(path).c_str(), O_RDONLY | O_NONBLOCK);
  if (fd < 0) return nullptr;
  struct stat info;
  std::FILE* file = nullptr;
  if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) file = fdopen(fd, "rb");
  if (!file) close(fd);
  return file;
}
