#include "rtl/packages/Resources.h"

#include "ResourcesBytes.h"
#include "rtl/system/SysUtils.h"

namespace rtl {

using resbytes::PutU16;
using resbytes::PutU32;
using resbytes::TByteReader;

namespace {
constexpr char kMagic[4] = {'D', 'V', 'R', 'S'};
constexpr uint16_t kFormatVersion = 1;
constexpr size_t kHeaderSize = 16;
constexpr size_t kEntrySize = 16;

size_t Align4(size_t n) { return (n + 3) & ~size_t{3}; }
}  // namespace

const TResource* TResourceList::Find(TResourceType type, const std::string& name) const {
  for (const auto& r : items_)
    if (r.Type == type && SameText(r.Name, name)) return &r;
  return nullptr;
}

void TResourceList::Add(TResource res) {
  res.Name = UpperCase(res.Name);
  items_.push_back(std::move(res));
}

std::string EncodeResources(const TResourceList& list) {
  const auto& items = list.Items();
  if (items.size() > 0xFFFF) throw EPackageError("Too many resources: " + std::to_string(items.size()));
  // Layout: header, directory, then each name and each data block, 4-aligned.
  size_t offset = kHeaderSize + kEntrySize * items.size();
  std::vector<std::pair<size_t, size_t>> places;  // name offset, data offset
  for (const auto& r : items) {
    if (r.Name.size() > 0xFFFF) throw EPackageError("Resource name too long: " + r.Name.substr(0, 40));
    size_t nameAt = offset;
    offset = Align4(offset + r.Name.size());
    size_t dataAt = offset;
    offset = Align4(offset + r.Data.size());
    places.emplace_back(nameAt, dataAt);
  }
  if (offset > 0xFFFFFFFFu) throw EPackageError("Resources exceed 4 GB");

  std::string out(kMagic, sizeof kMagic);
  PutU16(out, kFormatVersion);
  PutU16(out, static_cast<uint16_t>(items.size()));
  PutU32(out, static_cast<uint32_t>(offset));
  PutU32(out, 0);
  for (size_t i = 0; i < items.size(); ++i) {
    PutU16(out, static_cast<uint16_t>(items[i].Type));
    PutU16(out, static_cast<uint16_t>(items[i].Name.size()));
    PutU32(out, static_cast<uint32_t>(places[i].first));
    PutU32(out, static_cast<uint32_t>(places[i].second));
    PutU32(out, static_cast<uint32_t>(items[i].Data.size()));
  }
  for (size_t i = 0; i < items.size(); ++i) {
    out.resize(places[i].first, '\0');
    out += items[i].Name;
    out.resize(places[i].second, '\0');
    out += items[i].Data;
  }
  out.resize(offset, '\0');
  return out;
}

TResourceList DecodeResources(const std::string& bytes, const std::string& where) {
  if (bytes.size() < kHeaderSize || bytes.compare(0, 4, kMagic, 4) != 0)
    throw EPackageError(where + ": not a resource block");
  TByteReader in(bytes, where, 4);
  uint16_t version = in.U16();
  if (version != kFormatVersion) in.Fail("unknown resource format version " + std::to_string(version));
  uint16_t count = in.U16();
  uint32_t total = in.U32();
  in.U32();
  if (total > bytes.size()) in.Fail("resource block claims " + std::to_string(total) + " bytes");
  if (kHeaderSize + kEntrySize * count > total) in.Fail("resource directory runs past the block");

  TResourceList list;
  for (uint16_t i = 0; i < count; ++i) {
    TResource r;
    r.Type = static_cast<TResourceType>(in.U16());
    uint64_t nameLen = in.U16();
    uint64_t nameAt = in.U32();
    uint64_t dataAt = in.U32();
    uint64_t dataLen = in.U32();
    if (nameAt + nameLen > total || dataAt + dataLen > total)
      in.Fail("resource " + std::to_string(i) + " lies outside the block");
    r.Name = bytes.substr(nameAt, nameLen);
    r.Data = bytes.substr(dataAt, dataLen);
    list.Add(std::move(r));
  }
  return list;
}

}  // namespace rtl
