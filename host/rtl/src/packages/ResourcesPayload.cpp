// Encodings of the resource payloads: package info, version data,
// description text and bitmap headers.
#include "ResourcesBytes.h"
#include "rtl/packages/Resources.h"
#include "rtl/system/SysUtils.h"

namespace rtl {

using resbytes::PutU16;
using resbytes::PutU32;
using resbytes::PutZ;
using resbytes::TByteReader;

namespace {
constexpr uint32_t kVersionSignature = 0xFEEF04BD;
// Guards against absurd counts in a damaged block before allocating.
constexpr uint32_t kMaxNames = 4096;
}  // namespace

std::string EncodePackageInfo(const TPackageInfoData& info) {
  std::string out;
  PutU32(out, info.Flags);
  PutU32(out, static_cast<uint32_t>(info.Requires.size()));
  for (const auto& name : info.Requires) PutZ(out, name);
  PutU32(out, static_cast<uint32_t>(info.Contains.size()));
  for (const auto& name : info.Contains) PutZ(out, name);
  return out;
}

TPackageInfoData DecodePackageInfo(const std::string& bytes, const std::string& where) {
  TByteReader in(bytes, where + " (package info)");
  TPackageInfoData info;
  info.Flags = in.U32();
  for (auto* list : {&info.Requires, &info.Contains}) {
    uint32_t count = in.U32();
    if (count > kMaxNames || count > in.Remaining()) in.Fail("implausible name count " + std::to_string(count));
    for (uint32_t i = 0; i < count; ++i) list->push_back(in.Z());
  }
  return info;
}

std::string TVersionData::Value(const std::string& key) const {
  for (const auto& [k, v] : Strings)
    if (SameText(k, key)) return v;
  return {};
}

std::string EncodeVersionData(const TVersionData& info) {
  std::string out;
  PutU32(out, kVersionSignature);
  for (uint16_t part : info.FileVersion) PutU16(out, part);
  for (uint16_t part : info.ProductVersion) PutU16(out, part);
  PutU32(out, static_cast<uint32_t>(info.Strings.size()));
  for (const auto& [key, value] : info.Strings) {
    PutZ(out, key);
    PutZ(out, value);
  }
  return out;
}

TVersionData DecodeVersionData(const std::string& bytes, const std::string& where) {
  TByteReader in(bytes, where + " (version data)");
  if (in.U32() != kVersionSignature) in.Fail("bad version signature");
  TVersionData info;
  for (auto& part : info.FileVersion) part = in.U16();
  for (auto& part : info.ProductVersion) part = in.U16();
  uint32_t count = in.U32();
  if (count > kMaxNames || count > in.Remaining()) in.Fail("implausible string count " + std::to_string(count));
  for (uint32_t i = 0; i < count; ++i) {
    std::string key = in.Z();
    info.Strings.emplace_back(std::move(key), in.Z());
  }
  return info;
}

std::string VersionToString(const std::array<uint16_t, 4>& v) {
  return std::to_string(v[0]) + "." + std::to_string(v[1]) + "." + std::to_string(v[2]) + "." + std::to_string(v[3]);
}

namespace {
void PutUtf16(std::string& out, uint32_t unit) {
  out.push_back(static_cast<char>(unit & 0xFF));
  out.push_back(static_cast<char>(unit >> 8));
}
void PutUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}
}  // namespace

std::string EncodeDescription(const std::string& utf8) {
  std::string out;
  for (size_t i = 0; i < utf8.size();) {
    auto c = static_cast<unsigned char>(utf8[i]);
    int extra = c < 0x80 ? 0 : (c >> 5) == 0x6 ? 1 : (c >> 4) == 0xE ? 2 : (c >> 3) == 0x1E ? 3 : -1;
    bool truncated = extra > 0 && i + static_cast<size_t>(extra) >= utf8.size();
    if (extra < 0 || truncated)
      throw EConvertError("Description is not valid UTF-8 at byte " + std::to_string(i));
    uint32_t cp = extra == 0 ? c : (c & (0x3F >> extra));
    for (int k = 1; k <= extra; ++k) cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + static_cast<size_t>(k)]) & 0x3F);
    i += static_cast<size_t>(extra) + 1;
    if (cp >= 0x10000) {
      cp -= 0x10000;
      PutUtf16(out, 0xD800 | (cp >> 10));
      PutUtf16(out, 0xDC00 | (cp & 0x3FF));
    } else {
      PutUtf16(out, cp);
    }
  }
  PutUtf16(out, 0);
  return out;
}

std::string DecodeDescription(const std::string& bytes) {
  std::string out;
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    uint32_t unit = static_cast<unsigned char>(bytes[i]) | (static_cast<unsigned char>(bytes[i + 1]) << 8);
    if (unit == 0) break;
    if (unit >= 0xD800 && unit < 0xDC00 && i + 3 < bytes.size()) {
      uint32_t low = static_cast<unsigned char>(bytes[i + 2]) | (static_cast<unsigned char>(bytes[i + 3]) << 8);
      if (low >= 0xDC00 && low < 0xE000) {
        PutUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
        i += 2;
        continue;
      }
    }
    // A lone surrogate becomes the replacement character.
    PutUtf8(out, unit >= 0xD800 && unit < 0xE000 ? 0xFFFD : unit);
  }
  return out;
}

uint32_t TBitmapHeader::PaletteEntries() const {
  if (ColorsUsed != 0) return ColorsUsed;
  return BitCount <= 8 ? (1u << BitCount) : 0;
}

TBitmapHeader DecodeBitmapHeader(const std::string& bytes, const std::string& where) {
  TByteReader in(bytes, where + " (bitmap)");
  TBitmapHeader h;
  h.HeaderSize = in.U32();
  if (h.HeaderSize < 40) in.Fail("bitmap header of " + std::to_string(h.HeaderSize) + " bytes");
  h.Width = static_cast<int32_t>(in.U32());
  h.Height = static_cast<int32_t>(in.U32());
  h.Planes = in.U16();
  h.BitCount = in.U16();
  h.Compression = in.U32();
  h.ImageSize = in.U32();
  in.U32();  // horizontal resolution
  in.U32();  // vertical resolution
  h.ColorsUsed = in.U32();
  return h;
}

}  // namespace rtl
