#include "db/DataSource.h"

#include <algorithm>

#include "db/DataSet.h"
#include "db/Exceptions.h"
#include "rtl/objects/ClassBuilder.h"

namespace db {

namespace {
std::string Label(const rtl::TComponent& c) { return c.Name().empty() ? c.ClassName() : c.Name(); }
}  // namespace

// Data flows from a dataset through its sources and their links to the
// datasets those links drive. Linking `master` to `detail` closes a circle
// when `master` is `detail` or is reached from it that way; then the
// message names the chain, "A -> ASource -> B -> BSource -> A".
bool TDataSource::Reaches(const TDataSet* from, const TDataSet* master, std::vector<const rtl::TComponent*>& path) {
  std::vector<const TDataSet*> seen;
  auto reaches = [&](auto&& self, const TDataSet* at) -> bool {
    if (at == master) return true;
    if (std::find(seen.begin(), seen.end(), at) != seen.end()) return false;
    seen.push_back(at);
    for (const TDataSource* source : at->sources_)
      for (const TDataLink* link : source->links_)
        if (const TDataSet* next = link->DetailDataSet()) {
          path.push_back(source);
          path.push_back(next);
          if (self(self, next)) return true;
          path.resize(path.size() - 2);
        }
    return false;
  };
  return reaches(reaches, from);
}

void TDataSource::CheckNoCircularLink(const TDataSet* master, const TDataSource& via, const TDataSet* detail) {
  if (master == nullptr || detail == nullptr) return;
  std::vector<const rtl::TComponent*> path{detail};
  if (!Reaches(detail, master, path)) return;
  path.push_back(&via);
  path.push_back(detail);
  std::string chain;
  for (const rtl::TComponent* c : path) chain += (chain.empty() ? "" : " -> ") + Label(*c);
  DatabaseError("Circular data link refused: " + chain);
}

bool TDataSource::WouldCircle(const TDataSet* detail) const {
  std::vector<const rtl::TComponent*> path;
  return dataSet_ != nullptr && detail != nullptr && Reaches(detail, dataSet_, path);
}

TDataLink::~TDataLink() { SetDataSource(nullptr); }

void TDataLink::SetDataSource(TDataSource* source) {
  if (source_ == source) return;
  if (source != nullptr) TDataSource::CheckNoCircularLink(source->DataSet(), *source, DetailDataSet());
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
  for (const TDataLink* link : links_) CheckNoCircularLink(dataSet, *this, link->DetailDataSet());
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
  if (!enabled_ || notifying_) return;
  notifying_ = true;
  struct TDone {
    bool& flag;
    ~TDone() { flag = false; }
  } done{notifying_};
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
