#pragma once
// Module resources: named blobs (description, version data, package info,
// bitmaps) stored in a package file's ".dvres" ELF section, readable from the
// file without loading or running it. The container layout is described in
// docs/RESOURCES.md; this header offers the container and the payloads that
// the loader and the tools need.
#include <array>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace rtl {

// Resource kinds, numbered as the platform numbers them.
enum class TResourceType : uint16_t { Bitmap = 2, RCData = 10, Version = 16 };

struct TResource {
  TResourceType Type = TResourceType::RCData;
  std::string Name;  // stored in upper case
  std::string Data;  // raw bytes
};

// Name of the ELF section that holds the container.
constexpr const char* ResourceSectionName = ".dvres";
// Well-known resource names.
constexpr const char* DescriptionResName = "DESCRIPTION";
constexpr const char* PackageInfoResName = "PACKAGEINFO";
constexpr const char* VersionResName = "1";

class TResourceList {
 public:
  TResourceList() = default;
  explicit TResourceList(std::vector<TResource> items) : items_(std::move(items)) {}

  const std::vector<TResource>& Items() const { return items_; }
  // Resource of that type and name (ignoring case), or null.
  const TResource* Find(TResourceType type, const std::string& name) const;
  void Add(TResource res);

 private:
  std::vector<TResource> items_;
};

// Container encoding. Decode raises EReadError-style EPackageError naming
// `where` and the offending offset for a truncated or inconsistent block.
std::string EncodeResources(const TResourceList& list);
TResourceList DecodeResources(const std::string& bytes, const std::string& where);

// Reads the resources of a file without loading it. A file that is not an
// ELF file raises EPackageError ("... is not a shared library"); a file that
// cannot be opened raises EFOpenError; a shared library without the section
// yields an empty list.
TResourceList ReadResources(const std::string& fileName);
// True when the file is an ELF shared object (ET_DYN).
bool IsSharedLibraryFile(const std::string& fileName);

// --- Payloads --------------------------------------------------------------

// Package identity: flags, required packages (file names) and contained units.
enum TPackageFlag : uint32_t { pfDesignOnly = 1u << 0, pfRunOnly = 1u << 1, pfNeverBuild = 1u << 2 };
struct TPackageInfoData {
  uint32_t Flags = 0;
  std::vector<std::string> Requires;
  std::vector<std::string> Contains;
};
std::string EncodePackageInfo(const TPackageInfoData& info);
TPackageInfoData DecodePackageInfo(const std::string& bytes, const std::string& where);

// Version data: numeric file and product versions plus named strings
// ("FileVersion", "ProductVersion", "ProductName", "FileDescription", ...).
struct TVersionData {
  std::array<uint16_t, 4> FileVersion{};
  std::array<uint16_t, 4> ProductVersion{};
  std::vector<std::pair<std::string, std::string>> Strings;  // in stored order

  std::string Value(const std::string& key) const;  // "" when absent; key ignores case
};
std::string EncodeVersionData(const TVersionData& info);
TVersionData DecodeVersionData(const std::string& bytes, const std::string& where);
// "6.5.3.0"
std::string VersionToString(const std::array<uint16_t, 4>& v);

// The description resource is UTF-16LE text ending in a NUL character.
std::string EncodeDescription(const std::string& utf8);
std::string DecodeDescription(const std::string& bytes);

// Header fields of a device-independent bitmap resource (BITMAPINFOHEADER).
struct TBitmapHeader {
  uint32_t HeaderSize = 0;
  int32_t Width = 0;
  int32_t Height = 0;
  uint16_t Planes = 0;
  uint16_t BitCount = 0;
  uint32_t Compression = 0;  // 0: BI_RGB, uncompressed
  uint32_t ImageSize = 0;
  uint32_t ColorsUsed = 0;
  // Number of colour-table entries actually present.
  uint32_t PaletteEntries() const;
};
// Raises EPackageError when the blob is too short for its header.
TBitmapHeader DecodeBitmapHeader(const std::string& bytes, const std::string& where);

}  // namespace rtl
