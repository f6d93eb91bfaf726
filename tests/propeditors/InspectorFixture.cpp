#include "InspectorFixture.h"

#include "SqlFixtures.h"
#include "designide/Registration.h"

namespace petest {

void InspectorFixture::SetUp() {
  edtest::LoadedPackage::SetUp();
  form_ = std::make_unique<rtl::TComponent>(nullptr);
  form_->SetName("ShopModule");
  designer_ = std::make_unique<edtest::TCountingDesigner>(form_.get());
  designide::SetRootDesigner(form_.get(), designer_.get());
}

void InspectorFixture::TearDown() {
  inspector_.reset();
  designide::SetRootDesigner(form_.get(), nullptr);
  form_.reset();
  edtest::LoadedPackage::TearDown();
}

designide::TObjectInspector& InspectorFixture::Inspect(std::vector<rtl::TPersistent*> selection) {
  inspector_ = std::make_unique<designide::TObjectInspector>(designer_.get(), std::move(selection));
  return *inspector_;
}

designide::TInspectorRow& InspectorFixture::Row(const std::string& path) {
  designide::TInspectorRow* row = inspector_ != nullptr ? inspector_->FindRow(path) : nullptr;
  if (row == nullptr) throw rtl::Exception("The inspector shows no row " + path);
  return *row;
}

dralvo::TDVDatabase* InspectorFixture::AddDatabase(const std::string& name, const std::string& file,
                                                  dralvo::TDVServerType type) {
  auto* db = Add<dralvo::TDVDatabase>("Db" + name);
  db->SetDatabaseName(name);
  db->SetServerType(type);
  db->SetRemoteDatabase(file);
  db->SetLoginPrompt(false);
  return db;
}

std::string InspectorFixture::SQLiteFile(const std::string& name, const std::string& script) {
  const std::string path = files_.File(name);
  dvtest::MakeSQLiteFile(path, script);
  return path;
}

}  // namespace petest
