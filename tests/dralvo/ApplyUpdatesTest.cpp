// A dataset's cached updates written through its update object on every
// server: an edit, an insert and a delete in one transaction, each record
// read back as the server stored it (a generated column), and a statement
// that touches two rows rolling all of it back with the edits kept.
#include <gtest/gtest.h>

#include "FirebirdFixtures.h"
#include "Fixture.h"
#include "MariaDbFixtures.h"
#include "db/Field.h"
#include "dralvo/ApplyUpdates.h"
#include "dralvo/Database.h"
#include "dralvo/Query.h"
#include "dralvo/UpdateSQL.h"

namespace {

using dralvo::TDVServerType;

// The doubled column is the server's: computed from customer, never written.
std::string OrdersTable(TDVServerType type) {
  switch (type) {
    case TDVServerType::stPostgreSQL:
      return "create table orders(order_id int primary key, customer int not null, note text,"
             " doubled int generated always as (customer * 2) stored)";
    case TDVServerType::stMariaDB:
      return "create table orders(order_id int primary key, customer int not null, note varchar(20),"
             " doubled int as (customer * 2) persistent) engine = InnoDB";
    case TDVServerType::stFirebird:
      return "create table orders(order_id int primary key, customer int not null, note varchar(20),"
             " doubled computed by (customer * 2))";
    default:
      return "create table orders(order_id int primary key, customer int not null, note text,"
             " doubled int generated always as (customer * 2))";
  }
}
const std::vector<std::string> kRows = {"insert into orders (order_id, customer, note) values (1, 10, 'x')",
                                        "insert into orders (order_id, customer, note) values (2, 10, 'y')",
                                        "insert into orders (order_id, customer, note) values (3, 20, 'z')"};

class ApplyUpdates : public ::testing::TestWithParam<TDVServerType> {
 protected:
  void SetUp() override {
    std::string remote;
    std::string script = OrdersTable(GetParam());
    for (const std::string& row : kRows) script += ";" + row;
    if (GetParam() == TDVServerType::stPostgreSQL) {
      DV_REQUIRE_PG();
      schema_ = std::make_unique<dvtest::PgSchema>(script);
      remote = schema_->SearchPath();
    } else if (GetParam() == TDVServerType::stMariaDB) {
      DV_REQUIRE_MARIADB();
      mariaDb_ = std::make_unique<dvtest::MariaDbDatabase>(script);
      remote = mariaDb_->Url();
    } else if (GetParam() == TDVServerType::stFirebird) {
      remote = dir_.File("apply.fdb");
      std::vector<std::string> statements{OrdersTable(GetParam())};
      statements.insert(statements.end(), kRows.begin(), kRows.end());
      dvtest::FirebirdAttachment(remote, true).Run(statements);
    } else {
      remote = dir_.File("apply.db");
      dvtest::MakeSQLiteFile(remote, script);
    }
    db_ = form_.AddDatabase("DB", GetParam(), remote);
    db_->SetLoginPrompt(false);
    query_ = new dralvo::TDVQuery(form_.root.get());
    query_->SetName("Orders");
    query_->SetDatabaseName("DB");
    query_->SQL()->SetText("select order_id, customer, note, doubled from orders order by order_id");
    update_ = new dralvo::TDVUpdateSQL(form_.root.get());
    query_->SetUpdateObject(update_);
    update_->RefreshSQL()->SetText("select order_id, customer, note, doubled from orders where order_id = :OLD_order_id");
    update_->ModifySQL()->SetText("update orders set customer = :customer, note = :note where order_id = :OLD_order_id");
    update_->InsertSQL()->SetText("insert into orders (order_id, customer, note) values (:order_id, :customer, :note)");
    update_->DeleteSQL()->SetText("delete from orders where order_id = :OLD_order_id");
    query_->SetCachedUpdates(true);
    // Records left to fetch: the statement reading them is still open.
    query_->SetPacketRecords(2);
    query_->Open();
  }
  void TearDown() override {
    if (db_ != nullptr) db_->Close();
  }
  // The table's rows as the server holds them, on a connection of the
  // database that writes nothing.
  std::string Orders() {
    dralvo::TDVResult r = db_->Execute("select order_id, customer, note, doubled from orders order by 1", nullptr);
    std::string out;
    for (auto& row : r.Rows)
      out += (out.empty() ? "" : " ") + row[0].AsString() + "/" + row[1].AsString() + "/" + row[2].AsString() + "/" +
             row[3].AsString();
    return out;
  }
  std::string Record(int record) {
    std::string out;
    for (int f = 0; f < 4; ++f) out += (f == 0 ? "" : "/") + query_->RecordValue(record, f).AsString();
    return out;
  }
  void Set(int record, int field, const db::TValue& value) {
    query_->MoveTo(record);
    query_->Edit();
    query_->Fields(field)->SetValue(value);
    query_->Post();
  }
  void Insert(int record, const std::vector<db::TValue>& values) {
    query_->MoveTo(record);
    query_->Insert();
    for (size_t f = 0; f < values.size(); ++f) query_->Fields(static_cast<int>(f))->SetValue(values[f]);
    query_->Post();
  }
  static std::string Ran(const dralvo::TDVApplyResult& r) {
    std::string out;
    for (const auto& s : r.Statements) out += (out.empty() ? "" : " ") + s.Statement + ":" + std::to_string(s.Rows);
    return out;
  }

  dvtest::TempDir dir_;
  std::unique_ptr<dvtest::PgSchema> schema_;
  std::unique_ptr<dvtest::MariaDbDatabase> mariaDb_;
  dvtest::TestForm form_;
  dralvo::TDVDatabase* db_ = nullptr;
  dralvo::TDVQuery* query_ = nullptr;
  dralvo::TDVUpdateSQL* update_ = nullptr;
};

TEST_P(ApplyUpdates, AnEditAnInsertAndADeleteAreCommittedTogetherAndReadBack) {
  Set(0, 1, db::TValue(11));
  Insert(1, {4, 40, "n"});
  query_->MoveTo(2);  // order 2, below the new record
  query_->Delete();
  EXPECT_EQ(Orders(), "1/10/x/20 2/10/y/20 3/20/z/40");  // kept, not written

  const dralvo::TDVApplyResult r = dralvo::ApplyCachedUpdates(*query_);
  ASSERT_TRUE(r.Committed) << r.Refusal;
  EXPECT_EQ(Ran(r), "modify:1 insert:1 delete:1 refresh:1 refresh:1");
  ASSERT_EQ(r.Statements[0].Params.size(), 3u);
  EXPECT_EQ(r.Statements[0].Params[2].first, "OLD_order_id");
  EXPECT_EQ(r.Statements[0].Params[2].second.AsString(), "1");
  EXPECT_EQ(Orders(), "1/11/x/22 3/20/z/40 4/40/n/80");
  EXPECT_FALSE(query_->UpdatesPending());
  // The records show what the server computed for them.
  EXPECT_EQ(Record(0), "1/11/x/22");
  EXPECT_EQ(Record(1), "4/40/n/80");
}

TEST_P(ApplyUpdates, AStatementThatTouchesTwoRowsRollsEverythingBack) {
  update_->ModifySQL()->SetText("update orders set note = :note where customer = :OLD_customer");
  Insert(1, {4, 30, "n"});
  Set(0, 2, db::TValue("w"));  // orders 1 and 2 share customer 10
  const dralvo::TDVApplyResult r = dralvo::ApplyCachedUpdates(*query_);
  EXPECT_FALSE(r.Committed);
  EXPECT_EQ(Ran(r), "insert:1 modify:2");
  EXPECT_EQ(r.Refusal,
            "change 2 (modify): 2 rows changed, expected 1: the where clause does not pin one row; rolled back, nothing "
            "was written");
  EXPECT_EQ(Orders(), "1/10/x/20 2/10/y/20 3/20/z/40");
  ASSERT_TRUE(query_->UpdatesPending());  // kept, to be mended or cancelled
  query_->CancelUpdates();
  EXPECT_EQ(Record(0), "1/10/x/20");
  EXPECT_EQ(Record(1), "2/10/y/20");
}

INSTANTIATE_TEST_SUITE_P(Servers, ApplyUpdates,
                         ::testing::Values(TDVServerType::stSQLite, TDVServerType::stPostgreSQL, TDVServerType::stMariaDB,
                                           TDVServerType::stFirebird),
                         [](const auto& p) { return dralvo::GetServerTypeName(p.param); });

}  // namespace
