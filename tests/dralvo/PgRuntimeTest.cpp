// Connecting to PostgreSQL, stored procedures and update round trips.
#include <gtest/gtest.h>
#include <signal.h>

#include "Fixture.h"
#include "db/Field.h"
#include "dralvo/Result.h"
#include "rtl/text/Strings.h"

namespace {

using dralvo::TDVServerType;

TEST(PgConnecting, UnreachableServerWrongPasswordAndLogin) {
  DV_REQUIRE_PG();
  dvtest::TestForm form;
  auto* far = form.AddDatabase("Far", TDVServerType::stPostgreSQL, "127.0.0.1:1/nowhere");
  std::string msg = dvtest::OpenError(far);
  EXPECT_NE(msg.find("PostgreSQL"), std::string::npos) << msg;
  EXPECT_NE(msg.find("127.0.0.1:1/nowhere"), std::string::npos) << msg;

  auto* wrong = form.AddDatabase("Wrong", TDVServerType::stPostgreSQL, "host=localhost password=TopSecret99");
  wrong->Params()->SetValue("PASSWORD", "AlsoSecret77");
  msg = dvtest::OpenError(wrong);
  EXPECT_NE(msg.find("PostgreSQL"), std::string::npos) << msg;
  EXPECT_NE(msg.find("password"), std::string::npos) << msg;
  EXPECT_EQ(msg.find("TopSecret99"), std::string::npos) << msg;
  EXPECT_EQ(msg.find("AlsoSecret77"), std::string::npos) << msg;

  // With LoginPrompt and no password given, the installed handler answers.
  auto* prompted = form.AddDatabase("Prompted", TDVServerType::stPostgreSQL, "host=localhost");
  std::string realPassword = std::getenv("PGPASSWORD") != nullptr ? std::getenv("PGPASSWORD") : "";
  ::unsetenv("PGPASSWORD");
  std::string askedFor;
  dralvo::SetLoginPromptHandler([&](const std::string& name, std::string&, std::string& password) {
    askedFor = name;
    password = realPassword;
    return true;
  });
  msg = dvtest::OpenError(prompted);
  prompted->Close();
  dralvo::SetLoginPromptHandler([](const std::string&, std::string&, std::string&) { return false; });
  std::string cancelled = dvtest::OpenError(form.AddDatabase("Cancelled", TDVServerType::stPostgreSQL, "host=localhost"));
  dralvo::SetLoginPromptHandler(nullptr);
  if (!realPassword.empty()) ::setenv("PGPASSWORD", realPassword.c_str(), 1);
  EXPECT_EQ(askedFor, "Prompted");
  EXPECT_EQ(msg, "<connected>");
  EXPECT_NE(cancelled.find("cancelled"), std::string::npos) << cancelled;
}

class PgRuntime : public ::testing::Test {
 protected:
  void SetUp() override {
    DV_REQUIRE_PG();
    schema_ = std::make_unique<dvtest::PgSchema>(
        "create table \"Order Lines\"(\"Order\" int, \"Line\" int, qty int, note text, primary key (\"Order\", \"Line\"));"
        "insert into \"Order Lines\" values (1, 1, 5, 'a'), (1, 2, 6, 'b');"
        "create function add_them(a int, b int) returns int language sql as 'select a + b';"
        "create function split_it(x int, out lo int, out hi int) language sql as 'select x - 1, x + 1';"
        "create function series(n int) returns setof int language sql as 'select generate_series(1, n)';"
        "create table audit(v int);"
        "create procedure bump(inout v int) language plpgsql as $$ begin insert into audit values (v); v := v + 1; end $$;");
    db_ = form_.AddDatabase("PGR", TDVServerType::stPostgreSQL, schema_->SearchPath());
  }
  void TearDown() override {
    if (db_ != nullptr) db_->Close();
  }
  std::vector<std::string> Lines() {
    auto* q = new dralvo::TDVQuery(form_.root.get());
    q->SetDatabaseName("PGR");
    q->SQL()->SetText("select \"Order\" || '/' || \"Line\" || '/' || qty || '/' || coalesce(note, '-') from \"Order Lines\" order by 1");
    q->Open();
    std::vector<std::string> out;
    for (; !q->Eof(); q->Next()) out.push_back(q->Fields(0)->AsString());
    delete q;
    return out;
  }
  std::unique_ptr<dvtest::PgSchema> schema_;
  dvtest::TestForm form_;
  dralvo::TDVDatabase* db_ = nullptr;
};

// The server's process stopped (as a hung host would be): the statement's
// wait ends at its limit plus the connect time-out, not never.
TEST(PgConnecting, AServerThatStopsAnsweringIsGivenUp) {
  DV_REQUIRE_PG();
  dvtest::TestForm form;
  auto* db = form.AddDatabase("Stopped", TDVServerType::stPostgreSQL, "");
  db->Params()->Add("STATEMENT TIMEOUT=300");
  db->Params()->Add("CONNECT TIMEOUT=2");
  db->Open();
  const pid_t backend = static_cast<pid_t>(db->Execute("select pg_backend_pid()", nullptr).Rows.at(0).at(0).AsInteger());
  ASSERT_EQ(kill(backend, SIGSTOP), 0) << "the test stops the server's process for its connection";
  std::string message = "<answered>";
  try {
    db->Execute("select 1", nullptr);
  } catch (const rtl::EDatabaseError& e) {
    message = e.Message();
  }
  kill(backend, SIGCONT);
  EXPECT_NE(message.find("no answer from the server in 2 seconds"), std::string::npos) << message;
}

// A COPY answers with data, not rows: opening one is refused, and the
// connection takes the next statement.
TEST_F(PgRuntime, CopyOpenedAsADataSetIsRefused) {
  auto* copy = new dralvo::TDVQuery(form_.root.get());
  copy->SetName("Copying");
  copy->SetDatabaseName("PGR");
  for (const char* sql : {"copy \"Order Lines\" to stdout", "copy (select generate_series(1, 100000)) to stdout",
                          "copy audit from stdin"}) {
    copy->SQL()->SetText(sql);
    try {
      copy->Open();
      ADD_FAILURE() << "opened " << sql;
    } catch (const rtl::EDatabaseError& e) {
      EXPECT_NE(e.Message().find("Copying: The statement does not return a result set"), std::string::npos)
          << e.Message();
    }
    EXPECT_EQ(Lines().size(), 2u) << sql;
  }
}

TEST_F(PgRuntime, StoredProceduresDescribedFromTheCatalog) {
  auto* sp = new dralvo::TDVStoredProc(form_.root.get());
  sp->SetDatabaseName("PGR");
  EXPECT_TRUE(sp->DescriptionsAvailable());
  sp->SetStoredProcName("ADD_THEM");
  EXPECT_EQ(sp->GetParamsCount(), 0);
  sp->Prepare();
  EXPECT_TRUE(sp->Prepared());
  ASSERT_EQ(sp->GetParamsCount(), 3);
  EXPECT_EQ(sp->Params()->Items(0)->ParamType(), db::TParamType::ptResult);
  sp->ParamByName("a")->SetAsInteger(2);
  sp->ParamByName("b")->SetAsInteger(40);
  sp->ExecProc();
  EXPECT_EQ(sp->ParamByName("Result")->AsInteger(), 42);

  sp->UnPrepare();
  sp->SetStoredProcName("split_it");
  sp->Prepare();
  sp->ParamByName("x")->SetAsInteger(10);
  sp->ExecProc();
  EXPECT_EQ(sp->ParamByName("lo")->AsInteger(), 9);
  EXPECT_EQ(sp->ParamByName("hi")->AsInteger(), 11);

  sp->SetStoredProcName(schema_->Name() + ".bump");
  sp->Prepare();
  sp->ParamByName("v")->SetAsInteger(7);
  sp->ExecProc();
  EXPECT_EQ(sp->ParamByName("v")->AsInteger(), 8);

  sp->SetStoredProcName("series");
  sp->Prepare();
  sp->ParamByName("n")->SetAsInteger(3);
  sp->Open();
  EXPECT_EQ(sp->RecordCount(), 3);
  sp->Close();

  sp->SetStoredProcName("no_such_proc");
  EXPECT_THROW(sp->Prepare(), rtl::EDatabaseError);
  rtl::TStringList names;
  dralvo::Session()->GetStoredProcNames("PGR", &names);
  EXPECT_GE(names.IndexOf("add_them"), 0);
  EXPECT_GE(names.IndexOf("bump"), 0);
}

TEST_F(PgRuntime, GeneratedStyleStatementsRoundTrip) {
  auto* q = new dralvo::TDVQuery(form_.root.get());
  q->SetDatabaseName("PGR");
  q->SQL()->SetText("select * from \"Order Lines\" where \"Order\" = :ord order by \"Line\"");
  q->ParamByName("ord")->SetAsInteger(1);
  auto* u = new dralvo::TDVUpdateSQL(form_.root.get());
  u->ModifySQL()->SetText(
      "update \"Order Lines\"\nset\n  \"Line\" = :\"Line\",\n  qty = :qty,\n  note = :note\nwhere\n"
      "  \"Order\" = :\"OLD_Order\" and\n  \"Line\" = :\"OLD_Line\"");
  u->InsertSQL()->SetText("insert into \"Order Lines\"\n  (\"Order\", \"Line\", qty, note)\nvalues\n"
                          "  (:\"Order\", :\"Line\", :qty, :note)");
  u->DeleteSQL()->SetText("delete from \"Order Lines\"\nwhere\n  \"Order\" = :\"OLD_Order\" and \"Line\" = :\"OLD_Line\"");
  q->SetUpdateObject(u);
  q->Open();
  q->Edit();
  q->FieldByName("Line")->SetAsInteger(5);
  q->FieldByName("note")->SetAsString("it's; drop table audit; --");
  q->Post();
  q->Append();
  q->FieldByName("Order")->SetAsInteger(2);
  q->FieldByName("Line")->SetAsInteger(1);
  q->FieldByName("qty")->SetAsInteger(3);
  q->Post();
  q->Last();
  q->Prior();  // 1/2
  q->Delete();
  EXPECT_EQ(Lines(), (std::vector<std::string>{"1/5/5/it's; drop table audit; --", "2/1/3/-"}));
}

TEST_F(PgRuntime, FieldInfoFromTheServersDescription) {
  auto* q = new dralvo::TDVQuery(form_.root.get());
  q->SetDatabaseName("PGR");
  rtl::TStringList fields, tables;
  const std::string sql = "select ol.*, 1 as one from \"Order Lines\" ol where ol.qty > :q";
  db_->Open();
  q->ParseFieldInfoFromSQL(sql, &fields, &tables, nullptr);
  EXPECT_EQ(fields.ToVector(), (std::vector<std::string>{"Order=\"Order Lines\".Order", "Line=\"Order Lines\".Line",
                                                          "qty=\"Order Lines\".qty", "note=\"Order Lines\".note"}));
  EXPECT_EQ(tables.ToVector(), std::vector<std::string>{"ol=\"Order Lines\""});
}

}  // namespace
