// Queries, macro queries and scripts on a real SQLite file.
#include <gtest/gtest.h>

#include "Fixture.h"
#include "db/Field.h"
#include "rtl/text/Strings.h"

namespace {

using dralvo::TDVServerType;

class SQLiteQuery : public ::testing::Test {
 protected:
  void SetUp() override {
    file_ = dir_.File("q.db");
    dvtest::MakeSQLiteFile(file_,
                           "create table person(id integer primary key, name text, score real);"
                           "insert into person values (1, 'Ann', 1.5), (2, 'O''Brien', 2.5), (3, 'Zoe', null);");
    db_ = form_.AddDatabase("QDB", TDVServerType::stSQLite, file_);
    query_ = new dralvo::TDVQuery(form_.root.get());
    query_->SetName("Query1");
    query_->SetDatabaseName("QDB");
  }
  dvtest::TempDir dir_;
  std::string file_;
  dvtest::TestForm form_;
  dralvo::TDVDatabase* db_ = nullptr;
  dralvo::TDVQuery* query_ = nullptr;
};

TEST_F(SQLiteQuery, OpensAndReadsTypedFields) {
  query_->SQL()->SetText("select id, name, score from person order by id");
  query_->Open();
  ASSERT_EQ(query_->FieldCount(), 3);
  EXPECT_EQ(query_->RecordCount(), 3);
  EXPECT_EQ(query_->FieldByName("ID")->AsInteger(), 1);
  EXPECT_EQ(query_->FieldByName("name")->AsString(), "Ann");
  EXPECT_DOUBLE_EQ(query_->FieldByName("score")->AsFloat(), 1.5);
  query_->Last();
  EXPECT_TRUE(query_->FieldByName("score")->IsNull());
  try {
    query_->FieldByName("nosuch");
    FAIL();
  } catch (const rtl::EDatabaseError& e) {
    EXPECT_NE(e.Message().find("nosuch"), std::string::npos);
    EXPECT_NE(e.Message().find("Query1"), std::string::npos);
  }
  // Changing the text closes the query.
  query_->SQL()->SetText("select 1");
  EXPECT_FALSE(query_->Active());
}

TEST_F(SQLiteQuery, ParametersAreBoundNeverPasted) {
  query_->SQL()->SetText("select id from person where name = :name or name = :NAME2 -- :notAParam\n");
  ASSERT_EQ(query_->Params()->Count(), 2);
  query_->ParamByName("name")->SetAsString("O'Brien");
  query_->ParamByName("name2")->SetAsString("x' or '1'='1");
  query_->Open();
  ASSERT_EQ(query_->RecordCount(), 1);
  EXPECT_EQ(query_->Fields(0)->AsInteger(), 2);
  query_->Close();
  // Values survive a text change that keeps the name.
  query_->SQL()->SetText("select count(*) as n from person where name <> :name");
  EXPECT_EQ(query_->ParamByName("name")->AsString(), "O'Brien");
  EXPECT_EQ(query_->Params()->Count(), 1);
  // A typed parameter converts its text before binding.
  query_->SQL()->SetText("select name from person where id = :id");
  query_->ParamByName("id")->SetDataType(db::TFieldType::ftInteger);
  query_->ParamByName("id")->SetValue(db::TValue("3"));
  query_->Open();
  EXPECT_EQ(query_->Fields(0)->AsString(), "Zoe");
}

TEST_F(SQLiteQuery, ExecSQLReportsRowsAffectedAndErrorsNameTheServer) {
  query_->SQL()->SetText("update person set score = :s where score is not null");
  query_->ParamByName("s")->SetAsFloat(9.0);
  query_->ExecSQL();
  EXPECT_EQ(query_->RowsAffected(), 2);
  query_->SQL()->SetText("update nosuchtable set x = 1");
  try {
    query_->ExecSQL();
    FAIL();
  } catch (const rtl::EDatabaseError& e) {
    EXPECT_NE(e.Message().find("SQLite"), std::string::npos);
    EXPECT_NE(e.Message().find("nosuchtable"), std::string::npos);
  }
  // Two statements in one call are refused, so nothing rides along.
  query_->SQL()->SetText("update person set score = 0; drop table person");
  EXPECT_THROW(query_->ExecSQL(), rtl::EDatabaseError);
  db_->Close();
  EXPECT_EQ(dvtest::SQLiteColumn(file_, "select count(*) from person where score = 9"),
            std::vector<std::string>{"2"});
}

TEST_F(SQLiteQuery, ReadOnlyWithoutUpdateObject) {
  query_->SQL()->SetText("select * from person");
  query_->Open();
  query_->Edit();
  query_->FieldByName("name")->SetAsString("Changed");
  EXPECT_THROW(query_->Post(), rtl::EDatabaseError);
  query_->Cancel();
  EXPECT_EQ(query_->FieldByName("name")->AsString(), "Ann");
}

TEST_F(SQLiteQuery, MacrosAreSubstitutedParametersStayBound) {
  auto* mq = new dralvo::TDVMacroQuery(form_.root.get());
  mq->SetDatabaseName("QDB");
  mq->SQL()->SetText("select name from person where &cond and name <> :skip order by &order -- &comment\n");
  ASSERT_EQ(mq->GetMacros()->Count(), 2);
  EXPECT_EQ(mq->GetMacros()->Items(0)->Name(), "cond");
  EXPECT_EQ(mq->GetMacros()->Items(1)->Name(), "order");
  mq->MacroByName("cond")->SetAsString("score > 2");
  mq->MacroByName("order")->SetAsString("name desc");
  mq->ParamByName("skip")->SetAsString("nobody");
  mq->Open();
  ASSERT_EQ(mq->RecordCount(), 1);
  EXPECT_EQ(mq->Fields(0)->AsString(), "O'Brien");
  mq->Close();
  // '&x' inside a string is text, not a macro.
  mq->SQL()->SetText("select '&notamacro' as t");
  EXPECT_EQ(mq->GetMacros()->Count(), 0);
  mq->Open();
  EXPECT_EQ(mq->Fields(0)->AsString(), "&notamacro");
}

TEST_F(SQLiteQuery, ScriptRunsStatementsInOrderTriggersIncluded) {
  auto* script = new dralvo::TDVScript(form_.root.get());
  script->SetDatabaseName("QDB");
  script->SQL()->SetText(
      "create table log(msg text);\n"
      "create trigger tr after insert on person begin\n"
      "  insert into log values (case when new.score > 5 then 'high' else 'low' end);\n"
      "  insert into log values ('x;y');\n"
      "end;\n"
      "-- a comment only\n;\n"
      "insert into person(name, score) values ('Max', 7);");
  EXPECT_EQ(script->GetDBSession(), dralvo::Session());
  script->ExecSQL();
  db_->Close();
  EXPECT_EQ(dvtest::SQLiteColumn(file_, "select msg from log order by rowid"),
            (std::vector<std::string>{"high", "x;y"}));
}

TEST(SplitStatements, QuotesCommentsAndBlanks) {
  EXPECT_EQ(dralvo::SplitStatements("a; 'b;c' ;; /* ; */ d -- ;\n"),
            (std::vector<std::string>{"a", "'b;c'", "/* ; */ d -- ;"}));
  EXPECT_EQ(dralvo::SplitStatements("select $$a;b$$; x"), (std::vector<std::string>{"select $$a;b$$", "x"}));
  EXPECT_TRUE(dralvo::SplitStatements("  ;\n -- nothing\n").empty());
}

}  // namespace

namespace {

TEST_F(SQLiteQuery, TransactionsCommitRollBackAndEndWithTheConnection) {
  query_->SQL()->SetText("delete from person where id = :id");
  db_->StartTransaction();
  EXPECT_THROW(db_->StartTransaction(), rtl::EDatabaseError);
  query_->ParamByName("id")->SetAsInteger(1);
  query_->ExecSQL();
  db_->Rollback();
  EXPECT_THROW(db_->Commit(), rtl::EDatabaseError);
  db_->StartTransaction();
  query_->ParamByName("id")->SetAsInteger(2);
  query_->ExecSQL();
  db_->Commit();
  db_->StartTransaction();
  query_->ParamByName("id")->SetAsInteger(3);
  query_->ExecSQL();
  db_->Close();  // an open transaction is rolled back, never half-kept
  EXPECT_FALSE(db_->InTransaction());
  EXPECT_EQ(dvtest::SQLiteColumn(file_, "select id from person order by id"), (std::vector<std::string>{"1", "3"}));
}

}  // namespace
