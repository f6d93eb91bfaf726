#pragma once
// The real package loaded, a data module with a designer that counts
// Modified calls, and the Object Inspector rows of a selection.
#include <memory>
#include <string>
#include <vector>

#include "EditorsTestSupport.h"
#include "designide/ObjectInspector.h"
#include "dralvo/Engine.h"

namespace petest {

class InspectorFixture : public edtest::LoadedPackage {
 protected:
  void SetUp() override;
  void TearDown() override;

  // The inspector of the selection and one of its rows (failing the test
  // when the row is not there).
  designide::TObjectInspector& Inspect(std::vector<rtl::TPersistent*> selection);
  designide::TInspectorRow& Row(const std::string& path);

  dralvo::TDVDatabase* AddDatabase(const std::string& name, const std::string& file,
                                   dralvo::TDVServerType type = dralvo::TDVServerType::stSQLite);
  template <class T>
  T* Add(const std::string& name) {
    auto* c = new T(form_.get());
    c->SetName(name);
    return c;
  }
  // A SQLite file in the test's folder made by the script.
  std::string SQLiteFile(const std::string& name, const std::string& script);

  dvtest::TempDir files_;
  std::unique_ptr<rtl::TComponent> form_;
  std::unique_ptr<edtest::TCountingDesigner> designer_;
  std::unique_ptr<designide::TObjectInspector> inspector_;
};

}  // namespace petest
