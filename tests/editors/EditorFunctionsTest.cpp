// The registration unit's shared editor functions, linked into this
// program from the package's units, on real SQLite files, the PostgreSQL
// server of the test run and the framework's collection-editor seam.
#include <gtest/gtest.h>

#include <optional>

#include "CountingDesigner.h"
#include "DVReg/editors/EditorFunctions.h"
#include "SqlFixtures.h"
#include "TempDir.h"
#include "designide/ColnEdit.h"
#include "dralvo/Engine.h"
#include "dralvo/PackageInfo.h"
#include "rtl/packages/Units.h"

namespace {

using namespace dralvo;

class RuntimeUnits : public ::testing::Environment {
 public:
  void SetUp() override { rtl::InitializePackage(dralvo::PackageInfo()); }
  void TearDown() override { rtl::FinalizePackage(dralvo::PackageInfo()); }
};
[[maybe_unused]] ::testing::Environment* const g_env = ::testing::AddGlobalTestEnvironment(new RuntimeUnits);

// What the collection editor was opened on, and the procedure's state then.
struct TOpened {
  rtl::TComponent* Component = nullptr;
  rtl::TCollection* Collection = nullptr;
  std::string Property;
  designide::TColOptions Options = 0;
  bool PreparedWhileOpen = false;
};

class EditorFunctions : public ::testing::Test {
 protected:
  void SetUp() override {
    root_.SetName("ShopModule");
    designide::SetShowCollectionEditorHandler([this](designide::IDesigner* designer, const rtl::TClass& editorClass,
                                                     rtl::TComponent* component, rtl::TCollection* collection,
                                                     const std::string& property, designide::TColOptions options) {
      EXPECT_EQ(designer, &designer_);
      EXPECT_TRUE(editorClass.InheritsFrom(designide::TCollectionEditor::StaticClass()));
      auto* proc = dynamic_cast<TDVStoredProc*>(component);
      opened_ = TOpened{component, collection, property, options, proc != nullptr && proc->Prepared()};
    });
  }
  void TearDown() override { designide::SetShowCollectionEditorHandler(nullptr); }

  TDVDatabase* AddDatabase(const std::string& name, TDVServerType type, const std::string& remote) {
    auto* db = new TDVDatabase(&root_);
    db->SetDatabaseName(name);
    db->SetServerType(type);
    db->SetRemoteDatabase(remote);
    db->SetLoginPrompt(false);
    return db;
  }
  TDVStoredProc* AddProc(const std::string& database) {
    auto* proc = new TDVStoredProc(&root_);
    proc->SetName("Proc" + std::to_string(root_.ComponentCount()));
    proc->SetDatabaseName(database);
    return proc;
  }

  dvtest::TempDir dir_;
  rtl::TComponent root_{nullptr};
  dvtest::TCountingDesigner designer_{&root_};
  std::optional<TOpened> opened_;
};

TEST_F(EditorFunctions, AboutCaptionAndRootName) {
  // Linked into a program without version data: nothing is read.
  EXPECT_EQ(dv::GetAboutVerbCaption(), "Dralvo ");
  EXPECT_EQ(dv::GetDesignerRootName(&designer_), "ShopModule");
}

TEST_F(EditorFunctions, DatabaseConnectedOnlyLooks) {
  dvtest::MakeSQLiteFile(dir_.File("a.db"), "create table t(x int);");
  TDVDatabase* db = AddDatabase("FnConnDb", TDVServerType::stSQLite, dir_.File("a.db"));
  auto* query = new TDVQuery(&root_);
  query->SetDatabaseName("fnconndb");
  EXPECT_FALSE(dv::IsDataSetDatabaseConnected(query));
  EXPECT_FALSE(db->Connected()) << "looking connects nothing";
  db->Open();
  EXPECT_TRUE(dv::IsDataSetDatabaseConnected(query)) << "names are compared ignoring case";
  query->SetSessionName("NoSuchSession");
  EXPECT_FALSE(dv::IsDataSetDatabaseConnected(query));
  query->SetSessionName("");
  query->SetDatabaseName("Elsewhere");
  EXPECT_FALSE(dv::IsDataSetDatabaseConnected(query));
}

TEST_F(EditorFunctions, StoredProcDatabaseLookUp) {
  TDVDatabase* db = AddDatabase("FnProcDb", TDVServerType::stSQLite, dir_.File("b.db"));
  TDVStoredProc* proc = AddProc("FNPROCDB");
  EXPECT_EQ(dv::FindStoredProcDatabase(proc), db);
  proc->SetDatabaseName("Missing");
  EXPECT_EQ(dv::FindStoredProcDatabase(proc), nullptr);
  proc->SetSessionName("GhostSession");
  try {
    dv::FindStoredProcDatabase(proc);
    ADD_FAILURE() << "an unknown session is an error";
  } catch (const rtl::EDatabaseError& e) {
    EXPECT_NE(e.Message().find("GhostSession"), std::string::npos) << e.Message();
  }
  // The same error reaches the caller of the parameters editor.
  proc->Params()->CreateParam(db::TFieldType::ftInteger, "a", db::TParamType::ptInput);
  EXPECT_THROW(dv::EditStoredProcParams(&designer_, proc), rtl::EDatabaseError);
  EXPECT_FALSE(opened_.has_value());
}

TEST_F(EditorFunctions, QueryParamsAndMacrosOpenWithoutOptions) {
  auto* macroQuery = new TDVMacroQuery(&root_);
  macroQuery->SQL()->SetText("select * from &tab where id = :id");
  EXPECT_FALSE(dv::EditQueryParams(&designer_, macroQuery));
  ASSERT_TRUE(opened_.has_value());
  EXPECT_EQ(opened_->Component, macroQuery);
  EXPECT_EQ(opened_->Collection, macroQuery->Params());
  EXPECT_EQ(opened_->Property, "Params");
  EXPECT_EQ(opened_->Options, 0u);
  opened_.reset();
  EXPECT_FALSE(dv::EditMacroQueryMacros(&designer_, macroQuery));
  ASSERT_TRUE(opened_.has_value());
  EXPECT_EQ(opened_->Collection, macroQuery->GetMacros());
  EXPECT_EQ(opened_->Property, "Macros");
  EXPECT_EQ(opened_->Options, 0u);
  EXPECT_EQ(designer_.modified, 0);

  designide::SetShowCollectionEditorHandler(nullptr);
  EXPECT_THROW(dv::EditQueryParams(&designer_, macroQuery), rtl::EComponentError) << "no dialog installed";
}

TEST_F(EditorFunctions, StoredProcWithoutDescriptionsMayAddAndDelete) {
  // Parameters already there and a blank database name: nothing is looked up.
  TDVStoredProc* blank = AddProc("   ");
  blank->SetSessionName("GhostSession");
  blank->Params()->CreateParam(db::TFieldType::ftInteger, "a", db::TParamType::ptInput);
  EXPECT_FALSE(dv::EditStoredProcParams(&designer_, blank));
  ASSERT_TRUE(opened_.has_value());
  EXPECT_EQ(opened_->Options, designide::coAdd | designide::coDelete);
  EXPECT_EQ(opened_->Collection, blank->Params());

  // A database that is not connected: no descriptions are used.
  AddDatabase("FnIdleDb", TDVServerType::stPostgreSQL, "127.0.0.1:1/nowhere");
  TDVStoredProc* idle = AddProc("FnIdleDb");
  idle->Params()->CreateParam(db::TFieldType::ftInteger, "a", db::TParamType::ptInput);
  opened_.reset();
  dv::EditStoredProcParams(&designer_, idle);
  ASSERT_TRUE(opened_.has_value());
  EXPECT_EQ(opened_->Options, designide::coAdd | designide::coDelete);

  // No parameters and not prepared: Prepare comes first; SQLite has no
  // procedures, so it raises and the editor never opens.
  AddDatabase("FnLiteDb", TDVServerType::stSQLite, dir_.File("c.db"));
  TDVStoredProc* lite = AddProc("FnLiteDb");
  lite->SetStoredProcName("anything");
  opened_.reset();
  EXPECT_THROW(dv::EditStoredProcParams(&designer_, lite), rtl::EDatabaseError);
  EXPECT_FALSE(opened_.has_value());
  EXPECT_EQ(designer_.modified, 0);
}

TEST_F(EditorFunctions, StoredProcPreparedForTheEditorAndUnpreparedAfter) {
  DV_REQUIRE_PG();
  dvtest::PgSchema schema("create function add_them(a int, b int) returns int language sql as 'select a + b';");
  TDVDatabase* db = AddDatabase("FnPgDb", TDVServerType::stPostgreSQL, schema.SearchPath());
  TDVStoredProc* proc = AddProc("FnPgDb");
  proc->SetStoredProcName("add_them");
  EXPECT_FALSE(dv::EditStoredProcParams(&designer_, proc));
  ASSERT_TRUE(opened_.has_value());
  EXPECT_TRUE(opened_->PreparedWhileOpen);
  EXPECT_EQ(opened_->Options, 0u) << "described parameters are only looked at";
  EXPECT_EQ(proc->GetParamsCount(), 3) << "result, a, b";
  EXPECT_FALSE(proc->Prepared());

  // Already prepared: unprepared afterwards too.
  proc->Prepare();
  opened_.reset();
  dv::EditStoredProcParams(&designer_, proc);
  ASSERT_TRUE(opened_.has_value());
  EXPECT_TRUE(opened_->PreparedWhileOpen);
  EXPECT_EQ(opened_->Options, 0u);
  EXPECT_FALSE(proc->Prepared());

  // Parameters there, not prepared, database connected: no Prepare, and
  // the found database's descriptions decide.
  opened_.reset();
  dv::EditStoredProcParams(&designer_, proc);
  ASSERT_TRUE(opened_.has_value());
  EXPECT_FALSE(opened_->PreparedWhileOpen);
  EXPECT_EQ(opened_->Options, 0u);
  db->Close();
  EXPECT_EQ(designer_.modified, 0);
}

}  // namespace
