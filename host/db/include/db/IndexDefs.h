#pragma once
// TIndexDef(s): the indexes of a table: name, key fields "A;B", options.
#include <string>
#include <vector>

#include "rtl/objects/Collection.h"

namespace db {

enum TIndexOption : unsigned {
  ixPrimary = 1u << 0,
  ixUnique = 1u << 1,
  ixDescending = 1u << 2,
  ixCaseInsensitive = 1u << 3,
  ixExpression = 1u << 4,
};
using TIndexOptions = unsigned;
const rtl::TTypeInfo& TypeInfoIndexOptions();

class TIndexDef : public rtl::TCollectionItem {
  RTL_CLASS(TIndexDef)
 public:
  explicit TIndexDef(rtl::TCollection* collection = nullptr) : TCollectionItem(collection) {}
  const std::string& Name() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }
  // Key fields separated by ";", in key order.
  const std::string& Fields() const { return fields_; }
  void SetFields(const std::string& fields) { fields_ = fields; }
  TIndexOptions Options() const { return options_; }
  void SetOptions(TIndexOptions options) { options_ = options; }
  std::string DisplayName() const override { return name_; }
  void Assign(const rtl::TPersistent& source) override;

 private:
  std::string name_;
  std::string fields_;
  TIndexOptions options_ = 0;
};

class TIndexDefs : public rtl::TCollection {
  RTL_CLASS(TIndexDefs)
 public:
  explicit TIndexDefs(rtl::TPersistent* owner = nullptr);
  TIndexDef* Items(int index) const;
  TIndexDef* AddIndexDef(const std::string& name, const std::string& fields, TIndexOptions options);
  int IndexOf(const std::string& name) const;        // ignores case
  TIndexDef* FindIndexForFields(const std::string& fields) const;  // null when none
  TIndexDef* GetPrimary() const;                      // null when none
};

// "A; B;C" -> {"A", "B", "C"} (blanks around names dropped, empty parts skipped).
std::vector<std::string> SplitFieldNames(const std::string& fields);

}  // namespace db
