#pragma once
// TDataSource: links visual or detail consumers (TDataLink) to a dataset.
#include <vector>

#include "rtl/objects/Component.h"

namespace db {

class TDataSet;
class TDataSource;

// A consumer of a data source: told when its dataset's current record or
// state changes. Not a component; its owner keeps it alive.
class TDataLink {
 public:
  TDataLink() = default;
  TDataLink(const TDataLink&) = delete;
  TDataLink& operator=(const TDataLink&) = delete;
  virtual ~TDataLink();
  TDataSource* DataSource() const { return source_; }
  void SetDataSource(TDataSource* source);
  TDataSet* DataSet() const;
  bool Active() const;
  virtual void DataChanged() {}

 private:
  friend class TDataSource;
  TDataSource* source_ = nullptr;
};

class TDataSource : public rtl::TComponent {
  RTL_CLASS(TDataSource)
 public:
  explicit TDataSource(rtl::TComponent* owner);
  ~TDataSource() override;
  TDataSet* DataSet() const { return dataSet_; }
  void SetDataSet(TDataSet* dataSet);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  // Tells every link; called by the dataset.
  void NotifyDataChange();

 protected:
  void Notification(rtl::TComponent* component, rtl::TOperation operation) override;

 private:
  friend class TDataLink;
  TDataSet* dataSet_ = nullptr;
  bool enabled_ = true;
  std::vector<TDataLink*> links_;
};

}  // namespace db
