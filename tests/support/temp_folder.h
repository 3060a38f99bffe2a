// A fresh folder of the test process's own under /tmp, removed with its
// contents when the object goes; tests that run in parallel never share files.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::string& path() const { return path_; }
  // The full path of a file of that name in the folder.
  std::string file(const std::string& name) const { return path_ + "/" + name; }
  // Writes bytes to a file of that name in the folder; returns its full path.
  std::string write(const std::string& name, const std::vector<uint8_t>& bytes) const;

 private:
  std::string path_;
};
