#include "tests/support/temp_folder.h"

#include <stdlib.h>

#include <filesystem>
#include <fstream>

TempFolder::TempFolder() {
  char pattern[] = "/tmp/kesh-test-XXXXXX";
  const char* made = mkdtemp(pattern);
  path_ = made ? made : "";
}

TempFolder::~TempFolder() {
  std::error_code ignored;
  if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

std::string TempFolder::write(const std::string& name, const std::vector<uint8_t>& bytes) const {
  const std::string path = file(name);
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return path;
}
