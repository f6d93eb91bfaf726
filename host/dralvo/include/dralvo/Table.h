#pragma once
// TDVTable: the rows of one table, ordered by an index, optionally limited
// to the rows that match a master dataset's current record.
#include <memory>

#include "db/DataSource.h"
#include "db/IndexDefs.h"
#include "dralvo/DataSet.h"

namespace dralvo {

class TDVTable : public TDVDataSet {
  RTL_CLASS(TDVTable)
 public:
  explicit TDVTable(rtl::TComponent* owner);
  ~TDVTable() override;

  const std::string& TableName() const { return tableName_; }
  void SetTableName(const std::string& name);  // raises while open
  // Empty: the primary index (also chosen by the text of SPrimary).
  const std::string& IndexName() const { return indexName_; }
  void SetIndexName(const std::string& name);
  // "A;B": order by these fields instead of a named index.
  const std::string& IndexFieldNames() const { return indexFieldNames_; }
  void SetIndexFieldNames(const std::string& names);
  // Master fields matched, in order, against the current index's fields.
  const std::string& MasterFields() const { return masterFields_; }
  void SetMasterFields(const std::string& names);
  db::TDataSource* MasterSource() const;
  void SetMasterSource(db::TDataSource* source);

  // The table's indexes as the server reports them (the primary key under
  // the text of SPrimary); read from the server on first use.
  db::TIndexDefs* IndexDefs() const override;
  void UpdateIndexDefs();
  // Fields of the current index (or of IndexFieldNames), closed tables too.
  int GetIndexFieldCount() const;
  db::TField* GetIndexField(int index) const;
  std::string GetIndexFieldNamesOfCurrentIndex() const;
  bool PSIsSQLBased() const { return false; }

 protected:
  void Notification(rtl::TComponent* component, rtl::TOperation operation) override;
  std::string SelectSQL() const override;
  const db::TParams* SelectParams() const override { return &masterParams_; }
  void InternalOpen() override;
  void InternalPost(db::TUpdateKind kind, const db::TRow& oldRow, const db::TRow& newRow) override;
  void InternalDelete(const db::TRow& row) override;

 private:
  class TMasterLink;
  void MasterChanged();
  void EnsureFields() const;
  std::vector<std::string> CurrentIndexFields() const;

  std::string tableName_;
  std::string indexName_;
  std::string indexFieldNames_;
  std::string masterFields_;
  mutable std::unique_ptr<db::TIndexDefs> indexDefs_;
  mutable bool indexDefsRead_ = false;
  std::unique_ptr<TMasterLink> masterLink_;
  mutable db::TParams masterParams_;
};

}  // namespace dralvo
