#pragma once
// TCollection: an owned, ordered list of items of one item class, streamed
// in form files as "< item ... end >".
#include <memory>
#include <vector>

#include "rtl/objects/Persistent.h"

namespace rtl {

class TCollection;

class TCollectionItem : public TPersistent {
  RTL_CLASS(TCollectionItem)
 public:
  explicit TCollectionItem(TCollection* collection = nullptr);
  ~TCollectionItem() override;
  TCollection* Collection() const { return collection_; }
  int Index() const;
  void SetIndex(int index);
  virtual std::string DisplayName() const;
  TPersistent* GetOwner() const override;

 private:
  friend class TCollection;
  TCollection* collection_ = nullptr;
};

class TCollection : public TPersistent {
  RTL_CLASS(TCollection)
 public:
  // Items are created from itemClass, which must derive from TCollectionItem.
  TCollection(const TClass& itemClass, TPersistent* owner = nullptr);
  ~TCollection() override;

  const TClass& ItemClass() const { return *itemClass_; }
  int Count() const { return static_cast<int>(items_.size()); }
  TCollectionItem* Items(int index) const;
  TCollectionItem* Add();
  TCollectionItem* Insert(int index);
  void Delete(int index);
  void Clear();
  void Assign(const TPersistent& source) override;
  TPersistent* GetOwner() const override { return owner_; }
  void BeginUpdate() { ++updateCount_; }
  void EndUpdate();

 protected:
  virtual void Update(TCollectionItem* item);

 private:
  friend class TCollectionItem;
  void AttachItem(TCollectionItem* item, int index);
  void DetachItem(TCollectionItem* item);

  const TClass* itemClass_;
  TPersistent* owner_;
  std::vector<TCollectionItem*> items_;  // owned
  int updateCount_ = 0;
};

}  // namespace rtl
