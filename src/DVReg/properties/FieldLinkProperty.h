#pragma once
// A table's MasterFields: the framework's field-link designer run against
// a temporary copy of the table, opened on the same session, database and
// table; the result is copied back only when the designer reports a change.
#include <memory>

#include "designide/FldLinks.h"
#include "dralvo/Table.h"

namespace dv {

class TDVTableFieldLinkProperty : public designide::TFieldLinkProperty {
  RTL_CLASS(TDVTableFieldLinkProperty)
 public:
  void Edit() override;
  // The accessors work on the temporary table: valid only while Edit runs.
  void GetFieldNamesForIndex(rtl::TStrings* List) override;
  bool GetIndexBased() override;
  db::TIndexDefs* GetIndexDefs() override;
  std::string GetIndexFieldNames() override;
  std::string GetIndexName() override;
  std::string GetMasterFields() override;
  void SetIndexFieldNames(const std::string& Value) override;
  // The primary index's entry (exactly SPrimary) selects the primary index.
  void SetIndexName(const std::string& Value) override;
  void SetMasterFields(const std::string& Value) override;

 private:
  dralvo::TDVTable& Table() const;
  std::unique_ptr<dralvo::TDVTable> FTable;
};

}  // namespace dv
