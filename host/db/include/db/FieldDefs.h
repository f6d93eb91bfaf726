#pragma once
// TFieldDef(s): the description of a dataset's columns, known before (and
// without) any record.
#include <string>

#include "db/FieldType.h"
#include "rtl/objects/Collection.h"

namespace db {

class TFieldDef : public rtl::TCollectionItem {
  RTL_CLASS(TFieldDef)
 public:
  explicit TFieldDef(rtl::TCollection* collection = nullptr) : TCollectionItem(collection) {}
  const std::string& Name() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }
  TFieldType DataType() const { return dataType_; }
  void SetDataType(TFieldType type) { dataType_ = type; }
  int Size() const { return size_; }
  void SetSize(int size) { size_ = size; }
  bool Required() const { return required_; }
  void SetRequired(bool required) { required_ = required; }
  std::string DisplayName() const override { return name_; }
  void Assign(const rtl::TPersistent& source) override;

 private:
  std::string name_;
  TFieldType dataType_ = TFieldType::ftUnknown;
  int size_ = 0;
  bool required_ = false;
};

class TFieldDefs : public rtl::TCollection {
  RTL_CLASS(TFieldDefs)
 public:
  explicit TFieldDefs(rtl::TPersistent* owner = nullptr);
  TFieldDef* Items(int index) const;
  TFieldDef* AddFieldDef(const std::string& name, TFieldType type, int size = 0, bool required = false);
  int IndexOf(const std::string& name) const;  // ignores case; -1 when absent
  TFieldDef* Find(const std::string& name) const;  // raises EDatabaseError naming the field
};

}  // namespace db
