// The resource container and its payloads: round trips, and damaged blocks
// refused with a message that says where.
#include <gtest/gtest.h>

#include "rtl/system/Exceptions.h"
#include "rtl/packages/Resources.h"

namespace {

rtl::TResourceList Sample() {
  rtl::TResourceList list;
  list.Add({rtl::TResourceType::RCData, "description", rtl::EncodeDescription("Grüße 𝄞")});
  list.Add({rtl::TResourceType::Bitmap, "TWIDGET", std::string("\0\1\2\3\4", 5)});
  list.Add({rtl::TResourceType::RCData, "EMPTY", ""});
  return list;
}

TEST(ResourceFormat, RoundTripKeepsTypesNamesAndBytes) {
  std::string bytes = rtl::EncodeResources(Sample());
  EXPECT_EQ(bytes.size() % 4, 0u);
  rtl::TResourceList back = rtl::DecodeResources(bytes, "sample");
  ASSERT_EQ(back.Items().size(), 3u);
  EXPECT_EQ(back.Items()[0].Name, "DESCRIPTION") << "names are kept in upper case";
  const rtl::TResource* bitmap = back.Find(rtl::TResourceType::Bitmap, "twidget");
  ASSERT_NE(bitmap, nullptr);
  EXPECT_EQ(bitmap->Data, std::string("\0\1\2\3\4", 5));
  EXPECT_EQ(back.Find(rtl::TResourceType::RCData, "TWIDGET"), nullptr) << "the type is part of the key";
  EXPECT_EQ(rtl::DecodeDescription(back.Find(rtl::TResourceType::RCData, "DESCRIPTION")->Data), "Grüße 𝄞");
}

TEST(ResourceFormat, DescriptionIsUtf16LittleEndianEndingInNul) {
  std::string utf16 = rtl::EncodeDescription("Ab");
  EXPECT_EQ(utf16, std::string("A\0b\0\0\0", 6));
  EXPECT_EQ(rtl::EncodeDescription("𝄞").size(), 6u) << "a surrogate pair and the NUL";
  EXPECT_THROW(rtl::EncodeDescription("\xC3"), rtl::EConvertError);
  EXPECT_EQ(rtl::DecodeDescription(std::string("\x00\xD8" "A\0", 4)), "\xEF\xBF\xBD" "A") << "lone surrogate";
}

TEST(ResourceFormat, DamagedBlocksAreRefusedNamingTheSource) {
  std::string good = rtl::EncodeResources(Sample());
  struct TRow {
    const char* Name;
    std::string Bytes;
  };
  std::string badMagic = good;
  badMagic[0] = 'X';
  std::string badVersion = good;
  badVersion[4] = 9;
  std::string outside = good;
  outside[16 + 8] = '\xFF';  // first entry's data offset
  std::string bigTotal = good;
  bigTotal[8] = '\xFF';
  bigTotal[9] = '\xFF';
  std::string manyEntries = good;
  manyEntries[6] = '\xFF';
  const TRow rows[] = {{"empty", ""},
                       {"bad magic", badMagic},
                       {"unknown version", badVersion},
                       {"truncated", good.substr(0, good.size() - 8)},
                       {"data outside block", outside},
                       {"total beyond bytes", bigTotal},
                       {"directory beyond block", manyEntries}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    try {
      rtl::DecodeResources(row.Bytes, "damaged.so");
      ADD_FAILURE() << "accepted";
    } catch (const rtl::EPackageError& e) {
      EXPECT_NE(std::string(e.what()).find("damaged.so"), std::string::npos) << e.what();
    }
  }
}

TEST(ResourceFormat, PackageInfoAndVersionDataRoundTrip) {
  rtl::TPackageInfoData info{rtl::pfDesignOnly | rtl::pfNeverBuild, {"A.so", "B.so"}, {"U1", "U2", "U3"}};
  rtl::TPackageInfoData infoBack = rtl::DecodePackageInfo(rtl::EncodePackageInfo(info), "p");
  EXPECT_EQ(infoBack.Flags, info.Flags);
  EXPECT_EQ(infoBack.Requires, info.Requires);
  EXPECT_EQ(infoBack.Contains, info.Contains);

  rtl::TVersionData version;
  version.FileVersion = {6, 5, 3, 0};
  version.ProductVersion = {1, 0, 65535, 7};
  version.Strings = {{"ProductName", "Name"}, {"Empty", ""}};
  rtl::TVersionData back = rtl::DecodeVersionData(rtl::EncodeVersionData(version), "v");
  EXPECT_EQ(rtl::VersionToString(back.FileVersion), "6.5.3.0");
  EXPECT_EQ(rtl::VersionToString(back.ProductVersion), "1.0.65535.7");
  EXPECT_EQ(back.Value("productname"), "Name");
  EXPECT_EQ(back.Value("Missing"), "");
  EXPECT_EQ(back.Strings.size(), 2u);
}

TEST(ResourceFormat, TruncatedOrImplausiblePayloadsRaise) {
  std::string info = rtl::EncodePackageInfo({0, {"A.so"}, {"U"}});
  EXPECT_THROW(rtl::DecodePackageInfo(info.substr(0, info.size() - 1), "p"), rtl::EPackageError);
  std::string hugeCount("\0\0\0\0\xFF\xFF\xFF\x7F", 8);
  EXPECT_THROW(rtl::DecodePackageInfo(hugeCount, "p"), rtl::EPackageError);
  std::string version = rtl::EncodeVersionData({});
  version[0] = 0;
  EXPECT_THROW(rtl::DecodeVersionData(version, "v"), rtl::EPackageError);
  EXPECT_THROW(rtl::DecodeBitmapHeader(std::string(39, '\0'), "b"), rtl::EPackageError);
}

}  // namespace
