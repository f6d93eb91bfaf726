// The components in form files: published properties, references between
// components, collections, and connecting once the module is loaded.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "Fixture.h"
#include "db/DataSource.h"
#include "db/Field.h"
#include "rtl/objects/ClassBuilder.h"
#include "rtl/forms/FormFiles.h"
#include "rtl/system/SysUtils.h"

namespace {

using dralvo::TDVServerType;

// A plain root class: the widget layer's data module is not linked here.
class TTestModule : public rtl::TComponent {
  RTL_CLASS(TTestModule)
 public:
  explicit TTestModule(rtl::TComponent* owner) : TComponent(owner) {}
};

const rtl::TClass& TTestModule::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TTestModule>("TTestModule", &rtl::TComponent::StaticClass()).Creatable().Build();
  return cls;
}

const char* kModule = R"(object Shop: TTestModule
  object ShopDatabase: TDVDatabase
    DatabaseName = 'shop'
    LoginPrompt = False
    RemoteDatabase = 'shop.db'
    ServerType = stSQLite
    Connected = True
  end
  object OrdersQuery: TDVQuery
    DatabaseName = 'shop'
    UpdateObject = OrdersUpdate
    SQL.Strings = (
      'select * from orders where id > :first')
    Params = <
      item
        DataType = ftInteger
        Name = 'first'
        ParamType = ptInput
        Value = '1'
      end>
    Active = True
  end
  object OrdersUpdate: TDVUpdateSQL
    ModifySQL.Strings = (
      'update orders set total = :total where id = :OLD_id')
  end
  object OrdersSource: TDataSource
    DataSet = OrdersQuery
  end
  object LinesTable: TDVTable
    DatabaseName = 'shop'
    IndexFieldNames = 'order_id;line'
    MasterFields = 'id'
    MasterSource = OrdersSource
    TableName = 'lines'
  end
end
)";

class FormFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    rtl::RegisterClass(TTestModule::StaticClass());
    dvtest::MakeSQLiteFile(dir_.File("shop.db"),
                           "create table orders(id integer primary key, total real);"
                           "insert into orders values (1, 10), (2, 20), (3, 30);"
                           "create table lines(order_id int, line int, qty int, primary key(order_id, line));"
                           "insert into lines values (2, 1, 5), (2, 2, 6), (3, 1, 7);");
  }
  void TearDown() override { rtl::UnRegisterClass(TTestModule::StaticClass()); }
  std::unique_ptr<rtl::TComponent> Read(const std::string& text) {
    rtl::TFormReadOptions options;
    options.OnRootCreated = [this](rtl::TComponent& root) { dralvo::SetModuleFolder(&root, dir_.Path()); };
    return rtl::ReadComponentText(text, "Shop.dfm", options);
  }
  dvtest::TempDir dir_;
};

TEST_F(FormFiles, ModuleConnectsAfterLoadingAndLinksItsComponents) {
  std::unique_ptr<rtl::TComponent> module = Read(kModule);
  auto* db = rtl::As<dralvo::TDVDatabase>(module->FindComponent("ShopDatabase"));
  auto* query = rtl::As<dralvo::TDVQuery>(module->FindComponent("OrdersQuery"));
  auto* update = rtl::As<dralvo::TDVUpdateSQL>(module->FindComponent("OrdersUpdate"));
  auto* lines = rtl::As<dralvo::TDVTable>(module->FindComponent("LinesTable"));
  EXPECT_TRUE(db->Connected());  // the relative file was found beside the module
  EXPECT_EQ(update->DataSet(), query);
  ASSERT_TRUE(query->Active());
  EXPECT_EQ(query->RecordCount(), 2);
  EXPECT_EQ(query->ParamByName("first")->DataType(), db::TFieldType::ftInteger);
  lines->Open();
  EXPECT_EQ(lines->RecordCount(), 2);  // the lines of order 2
  query->Next();
  EXPECT_EQ(lines->RecordCount(), 1);

  // Written back, the module keeps what it said (defaults left out).
  std::string text = rtl::WriteComponentText(*module);
  EXPECT_NE(text.find("UpdateObject = OrdersUpdate"), std::string::npos) << text;
  EXPECT_NE(text.find("MasterSource = OrdersSource"), std::string::npos) << text;
  EXPECT_NE(text.find("ServerType = stSQLite"), std::string::npos) << text;
  EXPECT_EQ(text.find("KeepConnection"), std::string::npos) << text;
  // A connected database says so only with the store-connected option.
  EXPECT_EQ(text.find("Connected = True"), std::string::npos) << text;
  db->SetDesignOptions(dralvo::ddoStoreConnected);
  std::string stored = rtl::WriteComponentText(*module);
  EXPECT_NE(stored.find("Connected = True"), std::string::npos) << stored;
  db->SetDesignOptions(0);
  std::unique_ptr<rtl::TComponent> again = Read(text);
  EXPECT_EQ(rtl::WriteComponentText(*again), text);
  // Freeing a module forgets its folder.
  int folders = dralvo::ModuleFolderCount();
  again.reset();
  EXPECT_EQ(dralvo::ModuleFolderCount(), folders - 1);
  dralvo::SetModuleFolder(module.get(), "");
  EXPECT_EQ(dralvo::ModuleFolderCount(), folders - 2);
}

// Two tables each the other's master, open in the file: the reader refuses
// the link that closes the circle, at its place, and frees everything.
TEST_F(FormFiles, ACircularMasterLinkIsRefusedWhenTheFileIsRead) {
  // The input is part of the form fuzz corpus.
  const char* source = std::getenv("DV_SOURCE_DIR");
  ASSERT_NE(source, nullptr);
  const std::string text =
      rtl::ReadFileToString(std::string(source) + "/tests/formfiles/corpus/circular-master-link.dfm");
  int before = static_cast<int>(dralvo::Session()->Databases().size());
  try {
    Read(text);
    FAIL() << "read a circular module";
  } catch (const rtl::EFormFileError& e) {
    EXPECT_EQ(e.Line(), 25) << e.what();
    EXPECT_NE(e.Reason().find("OrdersTable -> OrdersSource -> LinesTable -> LinesSource -> OrdersTable"),
              std::string::npos)
        << e.what();
  }
  EXPECT_EQ(static_cast<int>(dralvo::Session()->Databases().size()), before);
}

TEST_F(FormFiles, AFailedConnectionFailsTheModuleAndLeavesNothingBehind) {
  std::string text = kModule;
  text.replace(text.find("'shop.db'"), 9, "'absent.db'");
  int before = static_cast<int>(dralvo::Session()->Databases().size());
  int folders = dralvo::ModuleFolderCount();
  EXPECT_ANY_THROW(Read(text));
  EXPECT_EQ(static_cast<int>(dralvo::Session()->Databases().size()), before);
  EXPECT_EQ(dralvo::ModuleFolderCount(), folders);
  EXPECT_FALSE(std::filesystem::exists(dir_.File("absent.db")));
}

// Persistent fields in the module: an open query shows exactly them, in
// their order; they are written back with their dataset; a field naming a
// column the query does not give stops the opening and says which.
TEST_F(FormFiles, PersistentFieldsChooseAndOrderTheColumns) {
  const std::string text = R"(object Shop: TTestModule
  object ShopDatabase: TDVDatabase
    DatabaseName = 'shop'
    LoginPrompt = False
    RemoteDatabase = 'shop.db'
    ServerType = stSQLite
  end
  object OrdersQuery: TDVQuery
    DatabaseName = 'shop'
    SQL.Strings = (
      'select id, total from orders order by id')
    Active = True
  end
  object OrdersQuerytotal: TField
    FieldName = 'total'
    DataType = ftFloat
    DataSet = OrdersQuery
  end
end
)";
  std::unique_ptr<rtl::TComponent> module = Read(text);
  auto* query = rtl::As<dralvo::TDVQuery>(module->FindComponent("OrdersQuery"));
  auto* total = rtl::As<db::TField>(module->FindComponent("OrdersQuerytotal"));
  ASSERT_TRUE(query->Active());
  ASSERT_EQ(query->FieldCount(), 1);
  EXPECT_EQ(query->Fields(0), total);
  EXPECT_EQ(query->FindField("id"), nullptr);
  EXPECT_EQ(total->AsFloat(), 10.0);
  query->Next();
  EXPECT_EQ(total->AsFloat(), 20.0);
  const std::string written = rtl::WriteComponentText(*module);
  EXPECT_NE(written.find("  object OrdersQuerytotal: TField\n    FieldName = 'total'\n    DataType = ftFloat\n"
                         "    DataSet = OrdersQuery\n  end\n"),
            std::string::npos)
      << written;
  EXPECT_EQ(rtl::WriteComponentText(*Read(written)), written);

  // Freeing the field while the query is open drops its column.
  delete total;
  EXPECT_EQ(query->FieldCount(), 0);
  query->Close();
  query->Open();
  EXPECT_EQ(query->FieldCount(), 2) << "no persistent field left: every column";

  std::string missing = text;
  missing.replace(missing.find("FieldName = 'total'"), 19, "FieldName = 'price'");
  try {
    Read(missing);
    FAIL() << "opened without the field's column";
  } catch (const rtl::Exception& e) {
    EXPECT_NE(std::string(e.what()).find("OrdersQuery: Field 'price' not found"), std::string::npos) << e.what();
  }
}

}  // namespace
