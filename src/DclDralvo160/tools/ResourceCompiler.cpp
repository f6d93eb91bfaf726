// dvrc: builds a package's resources from a manifest and writes them as a
// C++ source whose one array lands in the ".dvres" section of the library.
//
//   dvrc MANIFEST OUTPUT.cpp
//
// The manifest format and the container are described in docs/RESOURCES.md.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "PaletteArt.h"
#include "rtl/packages/Resources.h"

namespace {

namespace fs = std::filesystem;

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path.string());
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Words of a manifest line; "double quoted" words may hold blanks.
std::vector<std::string> Words(const std::string& line, const std::string& where) {
  std::vector<std::string> words;
  for (size_t i = 0; i < line.size();) {
    if (line[i] == ' ' || line[i] == '\t' || line[i] == '\r') {
      ++i;
    } else if (line[i] == '"') {
      size_t end = line.find('"', i + 1);
      if (end == std::string::npos) throw std::runtime_error(where + ": unterminated quoted text");
      words.push_back(line.substr(i + 1, end - i - 1));
      i = end + 1;
    } else {
      size_t end = line.find_first_of(" \t\r", i);
      if (end == std::string::npos) end = line.size();
      words.push_back(line.substr(i, end - i));
      i = end;
    }
  }
  return words;
}

std::array<uint16_t, 4> ParseVersion(const std::string& text, const std::string& where) {
  std::array<uint16_t, 4> v{};
  std::istringstream in(text);
  std::string part;
  for (size_t i = 0; i < 4; ++i) {
    if (!std::getline(in, part, '.') || part.empty() || part.find_first_not_of("0123456789") != std::string::npos ||
        part.size() > 5 || std::stoul(part) > 0xFFFF)
      throw std::runtime_error(where + ": version must be four numbers such as 6.5.3.0");
    v[i] = static_cast<uint16_t>(std::stoul(part));
  }
  if (std::getline(in, part)) throw std::runtime_error(where + ": version has more than four parts");
  return v;
}

rtl::TResourceList Compile(const fs::path& manifest) {
  rtl::TResourceList list;
  rtl::TPackageInfoData info;
  rtl::TVersionData version;
  bool hasInfo = false, hasVersion = false;
  std::istringstream in(ReadAll(manifest));
  int lineNo = 0;
  for (std::string line; std::getline(in, line);) {
    ++lineNo;
    std::string where = manifest.string() + ":" + std::to_string(lineNo);
    auto words = Words(line, where);
    if (words.empty() || words[0][0] == '#') continue;
    const std::string& key = words[0];
    auto need = [&](size_t n) {
      if (words.size() != n) throw std::runtime_error(where + ": \"" + key + "\" takes " + std::to_string(n - 1) + " values");
    };
    if (key == "description") {
      need(2);
      list.Add({rtl::TResourceType::RCData, rtl::DescriptionResName, rtl::EncodeDescription(words[1])});
    } else if (key == "flags") {
      for (size_t i = 1; i < words.size(); ++i) {
        if (words[i] == "designonly") info.Flags |= rtl::pfDesignOnly;
        else if (words[i] == "runonly") info.Flags |= rtl::pfRunOnly;
        else if (words[i] == "neverbuild") info.Flags |= rtl::pfNeverBuild;
        else throw std::runtime_error(where + ": unknown flag " + words[i]);
      }
      hasInfo = true;
    } else if (key == "requires" || key == "contains") {
      auto& target = key == "requires" ? info.Requires : info.Contains;
      target.insert(target.end(), words.begin() + 1, words.end());
      hasInfo = true;
    } else if (key == "fileversion" || key == "productversion") {
      need(2);
      (key == "fileversion" ? version.FileVersion : version.ProductVersion) = ParseVersion(words[1], where);
      hasVersion = true;
    } else if (key == "string") {
      need(3);
      version.Strings.emplace_back(words[1], words[2]);
      hasVersion = true;
    } else if (key == "bitmap") {
      need(3);
      fs::path art = manifest.parent_path() / words[2];
      list.Add({rtl::TResourceType::Bitmap, words[1], dvrc::ArtToBitmap(ReadAll(art), art.string())});
    } else if (key == "rcdata") {
      need(3);
      list.Add({rtl::TResourceType::RCData, words[1], words[2]});
    } else {
      throw std::runtime_error(where + ": unknown directive \"" + key + "\"");
    }
  }
  if (hasInfo) list.Add({rtl::TResourceType::RCData, rtl::PackageInfoResName, rtl::EncodePackageInfo(info)});
  if (hasVersion) list.Add({rtl::TResourceType::Version, rtl::VersionResName, rtl::EncodeVersionData(version)});
  return list;
}

std::string ToSource(const std::string& bytes, const std::string& manifestName) {
  std::ostringstream out;
  out << "// Generated from " << manifestName << " by dvrc; do not edit.\n"
      << "// The package's resources, in the section that package readers look for.\n"
      << "namespace {\n"
      << "__attribute__((section(\"" << rtl::ResourceSectionName << "\"), used, aligned(8)))\n"
      << "const unsigned char kPackageResources[" << bytes.size() << "] = {";
  for (size_t i = 0; i < bytes.size(); ++i) {
    out << (i % 16 == 0 ? "\n   " : "") << " " << static_cast<unsigned>(static_cast<unsigned char>(bytes[i])) << ",";
  }
  out << "\n};\n}  // namespace\n";
  return out.str();
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: dvrc MANIFEST OUTPUT.cpp\n";
    return 2;
  }
  try {
    fs::path manifest = argv[1];
    std::string source = ToSource(rtl::EncodeResources(Compile(manifest)), manifest.filename().string());
    fs::path output = argv[2];
    fs::path temp = output;
    temp += ".tmp";
    {
      std::ofstream out(temp, std::ios::binary | std::ios::trunc);
      out << source;
      if (!out.flush()) throw std::runtime_error("cannot write " + temp.string());
    }
    fs::rename(temp, output);
  } catch (const std::exception& e) {
    std::cerr << "dvrc: " << e.what() << "\n";
    return 1;
  }
  return 0;
}
