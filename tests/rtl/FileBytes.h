#pragma once
// Raw file contents for tests that check exactly what reached the disk.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace dvtest {

inline void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

inline std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Names of the files in a folder, to see that no temporary file stayed.
inline int CountFiles(const std::string& dir) {
  int n = 0;
  for (const auto& entry : std::filesystem::directory_iterator(dir)) {
    (void)entry;
    ++n;
  }
  return n;
}

}  // namespace dvtest
