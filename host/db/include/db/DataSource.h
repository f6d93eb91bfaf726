#pragma once
// TDataSource: links visual or detail consumers (TDataLink) to a dataset.
#include <vector>

#include "rtl/objects/Component.h"

namespace db {

class TDataSet;
class TDataSource;

// A consumer of a data source: told when its dataset's current record or
// state changes. Not a component; its owner keeps it alive. A link that
// drives a dataset (a detail's link to its master) names it, so that no
// chain of links leads back to where it started.
class TDataLink {
 public:
  TDataLink() = default;
  TDataLink(const TDataLink&) = delete;
  TDataLink& operator=(const TDataLink&) = delete;
  virtual ~TDataLink();
  TDataSource* DataSource() const { return source_; }
  // Raises EDatabaseError naming the components when the link would close
  // a circle (the source's dataset is driven, through links, by this one).
  void SetDataSource(TDataSource* source);
  // The dataset this link drives, or nullptr.
  virtual TDataSet* DetailDataSet() const { return nullptr; }
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
  // Raises EDatabaseError naming the components when a dataset driven
  // through this source's links would come to drive `dataSet`.
  void SetDataSet(TDataSet* dataSet);
  // Whether linking `detail` to this source would be refused as circular
  // (the designer leaves such sources out of what it offers).
  bool WouldCircle(const TDataSet* detail) const;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  // Tells every link; called by the dataset. A notification that arrives
  // while the links are being told (a link changed its own master) is not
  // passed on again, so notification never recurses without bound.
  void NotifyDataChange();

 protected:
  void Notification(rtl::TComponent* component, rtl::TOperation operation) override;

 private:
  friend class TDataLink;
  static void CheckNoCircularLink(const TDataSet* master, const TDataSource& via, const TDataSet* detail);
  // Whether data flows from `from` to `master`; `path` gets the sources and
  // datasets on the way.
  static bool Reaches(const TDataSet* from, const TDataSet* master, std::vector<const rtl::TComponent*>& path);
  TDataSet* dataSet_ = nullptr;
  bool enabled_ = true;
  bool notifying_ = false;
  std::vector<TDataLink*> links_;
};

}  // namespace db
