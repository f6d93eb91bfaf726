// The real package DclDralvo160.so from DV_BIN_DIR: its resources read from
// the file, and loading, registering and unloading it through the loader
// with a settings file of the test's own.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>

#include "PackageTestSupport.h"
#include "TempDir.h"
#include "designide/ComponentEditors.h"
#include "designide/DBReg.h"
#include "designide/Registration.h"
#include "dralvo/Common.h"
#include "dralvo/Engine.h"
#include "rtl/packages/Packages.h"
#include "rtl/settings/Registry.h"
#include "rtl/packages/Resources.h"
#include "rtl/packages/Units.h"

namespace {

using namespace dralvo;

std::string PackageFile() { return dvtest::BinFile("DclDralvo160.so"); }

TEST(RealPackageResources, IdentityIsReadFromTheFileWithoutLoadingIt) {
  rtl::TResourceList res = rtl::ReadResources(PackageFile());
  EXPECT_TRUE(rtl::LoadedPackages().empty());
  EXPECT_EQ(rtl::UnitUseCount("DVReg"), 0) << "reading runs nothing";

  const rtl::TResource* description = res.Find(rtl::TResourceType::RCData, "DESCRIPTION");
  ASSERT_NE(description, nullptr);
  EXPECT_EQ(description->Data, rtl::EncodeDescription("Dralvo Components"));
  EXPECT_EQ(description->Data.substr(description->Data.size() - 2), std::string(2, '\0'));

  const rtl::TResource* info = res.Find(rtl::TResourceType::RCData, "PACKAGEINFO");
  ASSERT_NE(info, nullptr);
  rtl::TPackageInfoData pkg = rtl::DecodePackageInfo(info->Data, PackageFile());
  EXPECT_EQ(pkg.Requires, (std::vector<std::string>{"Dralvo160.so", "dcldb160.so", "rtl160.so"}));
  EXPECT_EQ(pkg.Contains, (std::vector<std::string>{"DclDralvo160", "DVAbout", "SysInit", "DVUpdSEd", "DVReg"}));
  EXPECT_TRUE(pkg.Flags & rtl::pfDesignOnly);
  EXPECT_TRUE(pkg.Flags & rtl::pfNeverBuild);

  const rtl::TResource* versionRes = res.Find(rtl::TResourceType::Version, rtl::VersionResName);
  ASSERT_NE(versionRes, nullptr);
  rtl::TVersionData version = rtl::DecodeVersionData(versionRes->Data, PackageFile());
  EXPECT_EQ(rtl::VersionToString(version.FileVersion), "6.5.3.0");
  EXPECT_EQ(rtl::VersionToString(version.ProductVersion), "6.5.3.0");
  EXPECT_EQ(version.Value("FileVersion"), "6,5,3,0");
  EXPECT_EQ(version.Value("ProductVersion"), "6,5,3,0");
  EXPECT_EQ(version.Value("ProductName"), "Dralvo Library");
  EXPECT_EQ(version.Value("FileDescription"), "Dralvo Components for Delphi/C++Builder XE2 for Win32");
}

TEST(RealPackageResources, TenPaletteBitmapsOf392BytesEach) {
  rtl::TResourceList res = rtl::ReadResources(PackageFile());
  std::set<std::string> names;
  for (const auto& r : res.Items()) {
    if (r.Type != rtl::TResourceType::Bitmap) continue;
    SCOPED_TRACE(r.Name);
    names.insert(r.Name);
    EXPECT_EQ(r.Data.size(), 392u);
    rtl::TBitmapHeader h = rtl::DecodeBitmapHeader(r.Data, r.Name);
    EXPECT_EQ(h.HeaderSize, 40u);
    EXPECT_EQ(h.Width, 24);
    EXPECT_EQ(h.Height, 24);
    EXPECT_EQ(h.Planes, 1);
    EXPECT_EQ(h.BitCount, 4);
    EXPECT_EQ(h.Compression, 0u) << "BI_RGB";
    EXPECT_EQ(h.PaletteEntries(), 16u);
    EXPECT_EQ(h.ImageSize, 288u);
    // A picture, not a blank: more than two colours are used.
    std::set<int> colours;
    for (size_t i = 40 + 64; i < r.Data.size(); ++i) {
      colours.insert(static_cast<unsigned char>(r.Data[i]) >> 4);
      colours.insert(static_cast<unsigned char>(r.Data[i]) & 15);
    }
    EXPECT_GT(colours.size(), 2u);
  }
  EXPECT_EQ(names, (std::set<std::string>{"TDVDATABASE", "TDVMACROQUERY", "TDVMONITOR", "TDVQUERY", "TDVSCRIPT",
                                          "TDVSESSION", "TDVSQLBASESERVER", "TDVSTOREDPROC", "TDVTABLE",
                                          "TDVUPDATESQL"}));
}

TEST(RealPackageResources, VersionInfoForTheAboutTexts) {
  std::string product = "Dralvo", version;
  ReadFileVersInfo(PackageFile(), product, version);
  EXPECT_EQ(product, "Dralvo Library");
  EXPECT_EQ(version, "6.5.3.0");

  dvtest::TempDir temp;
  std::ofstream(temp.File("plain.txt")) << "no resources here";
  std::string keptName = "Dralvo", keptVersion;
  ReadFileVersInfo(temp.File("plain.txt"), keptName, keptVersion);
  ReadFileVersInfo(temp.File("missing.so"), keptName, keptVersion);
  ReadFileVersInfo(dvtest::BinFile("rtl160.so"), keptName, keptVersion);
  EXPECT_EQ(keptName, "Dralvo");
  EXPECT_EQ(keptVersion, "");
}

// Loads the real package with a private registry and settings file.
class RealPackageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("XDG_CONFIG_HOME", config_.Path().c_str(), 1);
    rtl::TRegistry registry;
    ASSERT_TRUE(registry.OpenKey("Software\\Dralvo", true));
    registry.WriteString("RootDir", root_.Path());
    SetDefServerType(TDVServerType::stSQLite);
  }
  void TearDown() override {
    EXPECT_TRUE(rtl::LoadedPackages().empty());
    SetDefServerType(TDVServerType::stSQLite);
  }
  void WriteSettings(const std::string& text) { std::ofstream(root_.File("dralvo.ini")) << text; }

  dvtest::TempDir config_;
  dvtest::TempDir root_;
};

TEST_F(RealPackageTest, RegisterRowsAnswerTheLookUps) {
  rtl::HMODULE module = rtl::LoadPackage(PackageFile());
  EXPECT_EQ(rtl::GetModuleFileName(module), std::filesystem::canonical(PackageFile()).string());
  EXPECT_EQ(GetModuleFileNameStr(module), rtl::GetModuleFileName(module));

  // The palette page, in order.
  EXPECT_EQ(designide::PaletteComponents("Dralvo"),
            (std::vector<const rtl::TClass*>{&TDVSession::StaticClass(), &TDVDatabase::StaticClass(),
                                             &TDVQuery::StaticClass(), &TDVMacroQuery::StaticClass(),
                                             &TDVStoredProc::StaticClass(), &TDVTable::StaticClass(),
                                             &TDVUpdateSQL::StaticClass(), &TDVScript::StaticClass(),
                                             &TDVMonitor::StaticClass(), &TDVSQLBaseServer::StaticClass()}));

  // The IDE's index editors for tables.
  const rtl::TTypeInfo& str = rtl::TypeInfoString();
  EXPECT_EQ(designide::FindPropertyEditorClass(TDVTable::StaticClass(), str, "IndexName"),
            &designide::TIndexNameProperty::StaticClass());
  EXPECT_EQ(designide::FindPropertyEditorClass(TDVTable::StaticClass(), str, "indexfieldnames"),
            &designide::TIndexFieldNamesProperty::StaticClass());
  EXPECT_EQ(designide::FindPropertyEditorClass(TDVQuery::StaticClass(), str, "IndexName"), nullptr)
      << "only tables";

  // The database category.
  const std::string db = designide::sDatabaseCategoryName();
  struct TRow {
    const rtl::TClass& Class;
    const char* Property;
    bool InCategory;
  };
  const TRow rows[] = {
      {TDVDatabase::StaticClass(), "ServerType", true},     {TDVDatabase::StaticClass(), "SessionName", true},
      {TDVDatabase::StaticClass(), "DatabaseName", true},   {TDVDatabase::StaticClass(), "RemoteDatabase", true},
      {TDVDatabase::StaticClass(), "Params", false},        {TDVTable::StaticClass(), "DatabaseName", true},
      {TDVMacroQuery::StaticClass(), "DatabaseName", true}, {TDVQuery::StaticClass(), "SessionName", false},
      {TDVUpdateSQL::StaticClass(), "ModifySQL", true},     {TDVUpdateSQL::StaticClass(), "refreshsql", true},
      {TDVUpdateSQL::StaticClass(), "DataSet", false},      {TDVScript::StaticClass(), "DatabaseName", false},
  };
  for (const auto& row : rows)
    EXPECT_EQ(designide::IsPropertyInCategory(db, row.Class, row.Property), row.InCategory)
        << row.Class.ClassName() << "." << row.Property;

  // The Structure-view sprigs, in registration order; descendants share them.
  std::vector<std::string> sprigRows;
  for (const auto& info : designide::Registrations(module))
    if (info.Kind == designide::TRegistrationKind::SprigType) sprigRows.push_back(designide::DescribeRegistration(info));
  EXPECT_EQ(sprigRows, (std::vector<std::string>{"SprigType TDVSession -> TDVSessionSprig",
                                                 "SprigType TDVDatabase -> TDVDatabaseSprig",
                                                 "SprigType TDVDataSet -> TDVDataSetSprig",
                                                 "SprigType TDVTable -> TDVTableSprig",
                                                 "SprigType TDVQuery -> TDVQuerySprig",
                                                 "SprigType TDVStoredProc -> TDVStoredProcSprig",
                                                 "SprigType TDVUpdateSQL -> TDVUpdateSQLSprig"}));
  EXPECT_EQ(designide::FindSprigClass(TDVMacroQuery::StaticClass())->ClassName(), "TDVQuerySprig");
  EXPECT_EQ(designide::FindSprigClass(TDVScript::StaticClass()), nullptr);

  rtl::UnloadPackage(module);
  EXPECT_TRUE(designide::Registrations(module).empty());
  EXPECT_TRUE(designide::PalettePages().empty());
  EXPECT_EQ(designide::FindPropertyEditorClass(TDVTable::StaticClass(), str, "IndexName"), nullptr);
}

std::string EditorName(const rtl::TClass& componentClass) {
  const rtl::TClass* editor = designide::FindComponentEditorClass(componentClass);
  return editor != nullptr ? editor->ClassName() : std::string("(none)");
}

// Component editors follow the registered classes (and only those), in the
// order Register gives, and go when the package goes.
TEST_F(RealPackageTest, ComponentEditorRowsAnswerTheLookUps) {
  rtl::HMODULE module = rtl::LoadPackage(PackageFile());
  struct TRow {
    const rtl::TClass& Component;
    const char* Editor;
  };
  const TRow rows[] = {
      {TDVSession::StaticClass(), "TDVDefaultEditor"},       {TDVDatabase::StaticClass(), "TDVDatabaseEditor"},
      {TDVDataSet::StaticClass(), "TDVDataSetEditor"},       {TDVQuery::StaticClass(), "TDVQueryEditor"},
      {TDVMacroQuery::StaticClass(), "TDVMacroQueryEditor"}, {TDVStoredProc::StaticClass(), "TDVStoredProcEditor"},
      {TDVUpdateSQL::StaticClass(), "TDVUpdateSQLEditor"},   {TDVScript::StaticClass(), "TDVScriptEditor"},
      {TDVMonitor::StaticClass(), "TDVDefaultEditor"},       {TDVSQLBaseServer::StaticClass(), "TDVDefaultEditor"},
  };
  std::vector<std::string> expected;
  for (const TRow& row : rows) {
    EXPECT_EQ(EditorName(row.Component), row.Editor) << row.Component.ClassName();
    expected.push_back(std::string("ComponentEditor ") + row.Component.ClassName() + " -> " + row.Editor);
  }
  const rtl::TClass* script = designide::FindComponentEditorClass(TDVScript::StaticClass());
  const rtl::TClass* session = designide::FindComponentEditorClass(TDVSession::StaticClass());
  ASSERT_NE(script, nullptr);
  ASSERT_NE(session, nullptr);
  EXPECT_TRUE(script->InheritsFrom(*session)) << "the script editor is a default editor";
  EXPECT_TRUE(session->InheritsFrom(designide::TComponentEditor::StaticClass()));
  // A table has no row of its own: it gets the dataset editor.
  EXPECT_EQ(EditorName(TDVTable::StaticClass()), "TDVDataSetEditor");
  EXPECT_TRUE(designide::FindComponentEditorClass(TDVDataSet::StaticClass())
                  ->InheritsFrom(designide::TDataSetEditor::StaticClass()));

  std::vector<std::string> mine;
  for (const auto& info : designide::Registrations(module)) {
    const std::string line = designide::DescribeRegistration(info);
    if (std::find(expected.begin(), expected.end(), line) != expected.end()) mine.push_back(line);
  }
  EXPECT_EQ(mine, expected);

  rtl::UnloadPackage(module);
  EXPECT_EQ(designide::FindComponentEditorClass(TDVScript::StaticClass()), nullptr);
  EXPECT_EQ(designide::FindComponentEditorClass(TDVUpdateSQL::StaticClass()), nullptr);
}

TEST_F(RealPackageTest, StartUpSetsTheDefaultServerTypeAndReloadReadsTheFileAgain) {
  WriteSettings("[TDVDatabase]\nServerType=PostgreSQL\n");
  rtl::HMODULE module = rtl::LoadPackage(PackageFile());
  EXPECT_EQ(rtl::UnitUseCount("DVReg"), 1);
  EXPECT_EQ(GetDefServerType(), TDVServerType::stPostgreSQL);
  rtl::UnloadPackage(module);
  EXPECT_EQ(rtl::UnitUseCount("DVReg"), 0);

  // A fresh settings object on reload: it sees the changed file.
  WriteSettings("[TDVDatabase]\nServerType=SQLite\n");
  module = rtl::LoadPackage(PackageFile());
  EXPECT_EQ(GetDefServerType(), TDVServerType::stSQLite);
  rtl::UnloadPackage(module);

  // No server type in the file: the current default stays.
  WriteSettings("[Other]\nX=1\n");
  SetDefServerType(TDVServerType::stPostgreSQL);
  module = rtl::LoadPackage(PackageFile());
  EXPECT_EQ(GetDefServerType(), TDVServerType::stPostgreSQL);
  rtl::UnloadPackage(module);
}

TEST_F(RealPackageTest, UnloadSavesNothingThatWasNotRead) {
  WriteSettings("; kept as it is\n[RecentDatabases]\nItem00=a.db\n");
  rtl::HMODULE module = rtl::LoadPackage(PackageFile());
  rtl::UnloadPackage(module);
  std::ifstream in(root_.File("dralvo.ini"));
  std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(text, "; kept as it is\n[RecentDatabases]\nItem00=a.db\n");
}

}  // namespace
