#include "platform/data_file.h"

#include <algorithm>

std::string hostPath(const char* path) {
  std::string host(path ? path : "");
  std::replace(host.begin(), host.end(), '\\', '/');
  return host;
}

std::FILE* openDataFile(const char* path) {
  return std::fopen(hostPath(path).c_str(), "rb");
}
