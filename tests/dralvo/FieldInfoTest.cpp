// Field and table info of SELECT statements, with and without the server.
#include <gtest/gtest.h>

#include "Fixture.h"
#include "rtl/text/Strings.h"

namespace {

using dralvo::TDVServerType;

class SQLiteFieldInfo : public ::testing::Test {
 protected:
  void SetUp() override {
    dvtest::MakeSQLiteFile(dir_.File("f.db"),
                           "create table customer(id integer primary key, name text);"
                           "create table orders(no int, cust int, total real);");
    db_ = form_.AddDatabase("FDB", TDVServerType::stSQLite, dir_.File("f.db"));
    q_ = new dralvo::TDVQuery(form_.root.get());
    q_->SetDatabaseName("FDB");
  }
  std::vector<std::string> Fields(const std::string& sql) {
    rtl::TStringList fields, tables;
    q_->ParseFieldInfoFromSQL(sql, &fields, &tables, nullptr);
    return fields.ToVector();
  }
  dvtest::TempDir dir_;
  dvtest::TestForm form_;
  dralvo::TDVDatabase* db_ = nullptr;
  dralvo::TDVQuery* q_ = nullptr;
};

TEST_F(SQLiteFieldInfo, TextAloneWhileDisconnected) {
  rtl::TStringList fields, tables, third;
  q_->ParseFieldInfoFromSQL("select c.id, c.name as who, 2 * c.id from customer c join orders o on o.cust = c.id",
                            &fields, &tables, &third);
  EXPECT_FALSE(db_->Connected());
  EXPECT_EQ(fields.ToVector(), (std::vector<std::string>{"id=customer.id", "who=customer.name"}));
  EXPECT_EQ(tables.ToVector(), (std::vector<std::string>{"c=customer", "o=orders"}));
  EXPECT_EQ(third.ToVector(), (std::vector<std::string>{"customer", "orders"}));
  // A star cannot be listed without the server.
  EXPECT_TRUE(Fields("select * from customer").empty());
}

TEST_F(SQLiteFieldInfo, ServerSettlesStarsAndUnqualifiedColumns) {
  db_->Open();
  EXPECT_EQ(Fields("select * from customer"), (std::vector<std::string>{"id=customer.id", "name=customer.name"}));
  EXPECT_EQ(Fields("select o.*, name from orders o, customer where id = :id"),
            (std::vector<std::string>{"no=orders.no", "cust=orders.cust", "total=orders.total", "name=customer.name"}));
  // Repeated names are numbered as the dataset numbers its fields.
  EXPECT_EQ(Fields("select c.id, o.cust as id, upper(name) as u from customer c, orders o"),
            (std::vector<std::string>{"id=customer.id", "id_1=orders.cust"}));
  // Text the server refuses falls back to the text alone.
  EXPECT_EQ(Fields("select c.id from customer c where nosuchcolumn = 1"), std::vector<std::string>{"id=customer.id"});
}

}  // namespace
