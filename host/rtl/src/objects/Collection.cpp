#include "rtl/objects/Collection.h"

#include <algorithm>

#include "rtl/objects/ClassBuilder.h"

namespace rtl {

const TClass& TCollectionItem::StaticClass() {
  static const TClass cls("TCollectionItem", &TPersistent::StaticClass());
  return cls;
}

const TClass& TCollection::StaticClass() {
  static const TClass cls("TCollection", &TPersistent::StaticClass());
  return cls;
}

TCollectionItem::TCollectionItem(TCollection* collection) {
  if (collection != nullptr) collection->AttachItem(this, collection->Count());
}

TCollectionItem::~TCollectionItem() {
  if (collection_ != nullptr) collection_->DetachItem(this);
}

int TCollectionItem::Index() const {
  if (collection_ == nullptr) return -1;
  auto& items = collection_->items_;
  return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int index) {
  if (collection_ == nullptr) return;
  auto& items = collection_->items_;
  int current = Index();
  if (index < 0 || index >= static_cast<int>(items.size()) || index == current) return;
  items.erase(items.begin() + current);
  items.insert(items.begin() + index, this);
  collection_->Update(nullptr);
}

std::string TCollectionItem::DisplayName() const { return ClassName(); }

TPersistent* TCollectionItem::GetOwner() const { return collection_; }

TCollection::TCollection(const TClass& itemClass, TPersistent* owner) : itemClass_(&itemClass), owner_(owner) {}

TCollection::~TCollection() { Clear(); }

TCollectionItem* TCollection::Items(int index) const {
  if (index < 0 || index >= Count()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  return items_[static_cast<size_t>(index)];
}

TCollectionItem* TCollection::Add() { return Insert(Count()); }

TCollectionItem* TCollection::Insert(int index) {
  if (index < 0 || index > Count()) throw EListError("List index out of bounds (" + std::to_string(index) + ")");
  TObject* obj = itemClass_->Create(nullptr);
  auto* item = dynamic_cast<TCollectionItem*>(obj);
  if (item == nullptr) {
    delete obj;
    throw EInvalidCast(itemClass_->ClassName() + " is not a collection item class");
  }
  AttachItem(item, index);
  return item;
}

void TCollection::Delete(int index) { delete Items(index); }

void TCollection::Clear() {
  if (items_.empty()) return;
  BeginUpdate();
  while (!items_.empty()) delete items_.back();
  EndUpdate();
}

void TCollection::Assign(const TPersistent& source) {
  const auto* other = dynamic_cast<const TCollection*>(&source);
  if (other == nullptr) {
    TPersistent::Assign(source);
    return;
  }
  if (other == this) return;
  BeginUpdate();
  Clear();
  for (TCollectionItem* src : other->items_) Add()->Assign(*src);
  EndUpdate();
}

void TCollection::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) Update(nullptr);
}

void TCollection::Update(TCollectionItem* item) { (void)item; }

void TCollection::AttachItem(TCollectionItem* item, int index) {
  items_.insert(items_.begin() + index, item);
  item->collection_ = this;
  if (updateCount_ == 0) Update(nullptr);
}

void TCollection::DetachItem(TCollectionItem* item) {
  items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
  item->collection_ = nullptr;
  if (updateCount_ == 0) Update(nullptr);
}

}  // namespace rtl
