// Sessions, databases and connecting to SQLite files.
#include <gtest/gtest.h>

#include <filesystem>

#include "Fixture.h"
#include "rtl/text/Strings.h"
#include "rtl/system/SysUtils.h"

namespace {

using dralvo::TDVServerType;

TEST(Sessions, DefaultSessionAndNamedSessions) {
  dralvo::TDVSessionList& list = dralvo::Sessions();
  ASSERT_NE(dralvo::Session(), nullptr);
  EXPECT_EQ(list.FindSession(""), dralvo::Session());
  EXPECT_EQ(list.FindSession(dralvo::Session()->SessionName()), dralvo::Session());
  EXPECT_EQ(list.FindSession("NoSuchSession"), nullptr);
  EXPECT_THROW(list.GetSessionByName("NoSuchSession"), rtl::EDatabaseError);

  int before = list.GetCount();
  dvtest::TestForm form;
  auto* s = new dralvo::TDVSession(form.root.get());
  s->SetSessionName("Reports");
  EXPECT_EQ(list.GetCount(), before + 1);
  EXPECT_EQ(list.FindSession("REPORTS"), s);
  EXPECT_EQ(list.GetSessionByName("reports"), s);
  auto* other = new dralvo::TDVSession(form.root.get());
  EXPECT_THROW(other->SetSessionName("reports"), rtl::EDatabaseError);
  delete s;
  EXPECT_EQ(list.FindSession("Reports"), nullptr);
  EXPECT_EQ(list.GetCount(), before + 1);
}

TEST(Sessions, DatabasesBelongToTheSessionTheyName) {
  dvtest::TestForm form;
  auto* reports = new dralvo::TDVSession(form.root.get());
  reports->SetSessionName("Reports2");
  auto* a = form.AddDatabase("Alpha", TDVServerType::stSQLite, "x.db");
  auto* b = form.AddDatabase("beta", TDVServerType::stSQLite, "y.db");
  b->SetSessionName("reports2");
  EXPECT_EQ(dralvo::Session()->FindDatabase("ALPHA"), a);
  EXPECT_EQ(dralvo::Session()->FindDatabase("beta"), nullptr);
  EXPECT_EQ(reports->FindDatabase("BETA"), b);
  rtl::TStringList names;
  reports->GetDatabaseNames(&names);
  EXPECT_EQ(names.ToVector(), std::vector<std::string>{"beta"});
  EXPECT_EQ(b->Session(), reports);
  // A database of an unknown session belongs to none.
  b->SetSessionName("Elsewhere");
  EXPECT_EQ(reports->FindDatabase("beta"), nullptr);
  EXPECT_THROW(b->Session(), rtl::EDatabaseError);
  delete a;
  EXPECT_EQ(dralvo::Session()->FindDatabase("Alpha"), nullptr);
}

// The databases of a session follow renames on both sides and keep their
// creation order; the default session also takes those naming no session.
TEST(Sessions, DatabasesFollowRenamesInCreationOrder) {
  dvtest::TestForm form;
  auto* first = form.AddDatabase("First", TDVServerType::stSQLite, "1.db");
  auto* second = form.AddDatabase("Second", TDVServerType::stSQLite, "2.db");
  auto* third = form.AddDatabase("Third", TDVServerType::stSQLite, "3.db");
  first->SetSessionName("Later");
  third->SetSessionName(dralvo::Session()->SessionName());
  auto* later = new dralvo::TDVSession(form.root.get());
  using List = std::vector<dralvo::TDVDatabase*>;
  EXPECT_EQ(later->Databases(), List{}) << "no name yet";
  later->SetSessionName("LATER");
  EXPECT_EQ(later->Databases(), List{first});
  second->SetSessionName("later");
  EXPECT_EQ(later->Databases(), (List{first, second}));
  EXPECT_EQ(dralvo::Session()->FindDatabase("Third"), third);
  later->SetSessionName("Renamed");
  EXPECT_EQ(later->Databases(), List{});
  EXPECT_EQ(dralvo::Sessions().FindSession("later"), nullptr);
  first->SetSessionName("");
  EXPECT_EQ(dralvo::Session()->FindDatabase("First"), first);
  delete later;
  EXPECT_EQ(dralvo::Sessions().FindSession("Renamed"), nullptr);
}

TEST(Connecting, MissingFileIsAnErrorAndCreatesNothing) {
  dvtest::TempDir dir;
  std::string file = dir.File("absent.db");
  dvtest::TestForm form;
  auto* db = form.AddDatabase("Absent", TDVServerType::stSQLite, file);
  try {
    db->Open();
    FAIL() << "opened a missing file";
  } catch (const rtl::EDatabaseError& e) {
    std::string msg = e.Message();
    EXPECT_NE(msg.find("SQLite"), std::string::npos) << msg;
    EXPECT_NE(msg.find(file), std::string::npos) << msg;
  }
  EXPECT_FALSE(db->Connected());
  EXPECT_FALSE(std::filesystem::exists(file));
}

TEST(Connecting, FileThatIsNoDatabaseAndEmptyTarget) {
  dvtest::TempDir dir;
  std::string file = dir.File("text.db");
  rtl::WriteFileAtomic(file, "this is not a database, just some text that is long enough to matter\n");
  dvtest::TestForm form;
  auto* db = form.AddDatabase("Text", TDVServerType::stSQLite, file);
  EXPECT_THROW(db->Open(), rtl::EDatabaseError);
  EXPECT_EQ(rtl::ReadFileToString(file).substr(0, 4), "this");
  auto* none = form.AddDatabase("None", TDVServerType::stSQLite, "");
  EXPECT_THROW(none->Open(), rtl::EDatabaseError);
}

TEST(Connecting, RelativeFileIsTakenFromTheDesignedModuleFolder) {
  dvtest::TempDir dir;
  dvtest::MakeSQLiteFile(dir.File("rel.db"), "create table t(a);");
  dvtest::TestForm form;
  auto* db = form.AddDatabase("Rel", TDVServerType::stSQLite, "rel.db");
  dralvo::SetModuleFolder(form.root.get(), dir.Path());
  EXPECT_EQ(db->ResolvedTarget(), dir.File("rel.db"));
  EXPECT_NO_THROW(db->Open());
  db->Close();
  dralvo::SetModuleFolder(form.root.get(), "");
  EXPECT_EQ(db->ResolvedTarget(), "rel.db");
}

TEST(Connecting, SettersRefuseChangesWhileConnectedAndKeepConnection) {
  dvtest::TempDir dir;
  dvtest::MakeSQLiteFile(dir.File("k.db"), "create table t(a); insert into t values (1);");
  dvtest::TestForm form;
  auto* db = form.AddDatabase("Keep", TDVServerType::stSQLite, dir.File("k.db"));
  db->SetConnected(true);
  EXPECT_TRUE(db->Connected());
  EXPECT_THROW(db->SetRemoteDatabase("other.db"), rtl::EDatabaseError);
  EXPECT_THROW(db->SetServerType(TDVServerType::stPostgreSQL), rtl::EDatabaseError);
  EXPECT_THROW(db->SetDatabaseName("Other"), rtl::EDatabaseError);
  db->SetConnected(false);

  // Without KeepConnection the connection ends with its last dataset.
  db->SetKeepConnection(false);
  auto* q = new dralvo::TDVQuery(form.root.get());
  q->SetDatabaseName("Keep");
  q->SQL()->SetText("select a from t");
  q->Open();
  EXPECT_TRUE(db->Connected());
  q->Close();
  EXPECT_FALSE(db->Connected());
  // Closing the database closes its datasets.
  db->SetKeepConnection(true);
  q->Open();
  db->Close();
  EXPECT_FALSE(q->Active());
}

TEST(Connecting, ParamsFileAndLoginPromptSeam) {
  dvtest::TempDir dir;
  dvtest::MakeSQLiteFile(dir.File("p.db"), "create table t(a);");
  rtl::WriteFileAtomic(dir.File("conn.txt"), "USER NAME=fromfile\nPASSWORD=secret\n");
  dvtest::TestForm form;
  auto* db = form.AddDatabase("Prm", TDVServerType::stSQLite, dir.File("p.db"));
  db->SetParamsFileName(dir.File("missing.txt"));
  try {
    db->Open();
    FAIL() << "missing parameters file accepted";
  } catch (const rtl::EDatabaseError& e) {
    EXPECT_NE(e.Message().find("missing.txt"), std::string::npos);
  }
  db->SetParamsFileName(dir.File("conn.txt"));
  // SQLite has no accounts: nobody is asked.
  int asked = 0;
  dralvo::SetLoginPromptHandler([&](const std::string&, std::string&, std::string&) {
    ++asked;
    return false;
  });
  EXPECT_NO_THROW(db->Open());
  EXPECT_EQ(asked, 0);
  dralvo::SetLoginPromptHandler(nullptr);
}

TEST(Connecting, ResourceStringsFormatWithTheirPlaceholders) {
  EXPECT_NE(rtl::Format(dralvo::SSQLDataSetOpen, {std::string("Orders")}).find("Orders"), std::string::npos);
  EXPECT_STRNE(dralvo::SPrimary, "");
}

}  // namespace
