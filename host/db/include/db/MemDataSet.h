#pragma once
// TMemDataSet: a dataset whose records are handed to it, such as the rows
// of a schema query.
#include "db/DataSet.h"

namespace db {

class TMemDataSet : public TDataSet {
  RTL_CLASS(TMemDataSet)
 public:
  explicit TMemDataSet(rtl::TComponent* owner = nullptr) : TDataSet(owner) {}
  // Define FieldDefs() first; records are kept across Open.
  void AddRecord(TRow row);

 protected:
  void InternalOpen() override;
  void InternalClose() override;

 private:
  std::vector<TRow> pending_;
};

}  // namespace db
