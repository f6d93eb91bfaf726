#include "db/DataSource.h"

#include <algorithm>

#include "db/DataSet.h"
#include "rtl/objects/ClassBuilder.h"

namespace db {

TDataLink::~TDataLink() { SetDataSource(nullptr); }

void TDataLink::SetDataSource(TDataSource* source) {
  if (source_ == source) return;
  if (source_ != nullptr) std::erase(source_->links_, this);
  source_ = source;
  if (source_ != nullptr) source_->links_.push_back(this);
}

TDataSet* TDataLink::DataSet() const { return source_ != nullptr ? source_->DataSet() : nullptr; }

bool TDataLink::Active() const {
  TDataSet* ds = DataSet();
  return ds != nullptr && source_->Enabled() && ds->Active();
}

const rtl::TClass& TDataSource::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TDataSource>("TDataSource", &rtl::TComponent::StaticClass())
          .Creatable()
          .Ref("DataSet", rtl::ClassTypeInfo(TDataSet::StaticClass()), &TDataSource::DataSet, &TDataSource::SetDataSet)
          .Bool("Enabled", &TDataSource::Enabled, &TDataSource::SetEnabled, true)
          .Build();
  return cls;
}

TDataSource::TDataSource(rtl::TComponent* owner) : TComponent(owner) {}

TDataSource::~TDataSource() {
  SetDataSet(nullptr);
  for (TDataLink* link : links_) link->source_ = nullptr;
}

void TDataSource::SetDataSet(TDataSet* dataSet) {
  if (dataSet_ == dataSet) return;
  if (dataSet_ != nullptr) {
    std::erase(dataSet_->sources_, this);
    dataSet_->RemoveFreeNotification(this);
  }
  dataSet_ = dataSet;
  if (dataSet_ != nullptr) {
    dataSet_->sources_.push_back(this);
    dataSet_->FreeNotification(this);
  }
  NotifyDataChange();
}

void TDataSource::SetEnabled(bool enabled) {
  if (enabled_ == enabled) return;
  enabled_ = enabled;
  NotifyDataChange();
}

void TDataSource::NotifyDataChange() {
  if (!enabled_) return;
  // A link may detach itself while being told; walk a copy.
  std::vector<TDataLink*> links = links_;
  for (TDataLink* link : links)
    if (std::find(links_.begin(), links_.end(), link) != links_.end()) link->DataChanged();
}

void TDataSource::Notification(rtl::TComponent* component, rtl::TOperation operation) {
  TComponent::Notification(component, operation);
  if (operation == rtl::TOperation::opRemove && component == dataSet_) {
    std::erase(dataSet_->sources_, this);
    dataSet_ = nullptr;
    NotifyDataChange();
  }
}

}  // namespace db
