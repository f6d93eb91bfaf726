#include "db/IndexDefs.h"

#include "rtl/objects/ClassBuilder.h"
#include "rtl/system/SysUtils.h"

namespace db {

const rtl::TTypeInfo& TypeInfoIndexOptions() {
  static const rtl::TTypeInfo info{"TIndexOptions",
                                   rtl::TTypeKind::Set,
                                   {"ixPrimary", "ixUnique", "ixDescending", "ixCaseInsensitive", "ixExpression"},
                                   nullptr};
  return info;
}

const rtl::TClass& TIndexDef::StaticClass() {
  static const rtl::TClass cls = rtl::ClassBuilder<TIndexDef>("TIndexDef", &rtl::TCollectionItem::StaticClass())
                                     .Creatable()
                                     .Str("Name", &TIndexDef::Name, &TIndexDef::SetName)
                                     .Str("Fields", &TIndexDef::Fields, &TIndexDef::SetFields)
                                     .Enum("Options", TypeInfoIndexOptions(), &TIndexDef::Options, &TIndexDef::SetOptions)
                                     .Build();
  return cls;
}

void TIndexDef::Assign(const rtl::TPersistent& source) {
  if (rtl::Is<TIndexDef>(&source)) {
    const auto& src = static_cast<const TIndexDef&>(source);
    name_ = src.name_;
    fields_ = src.fields_;
    options_ = src.options_;
    return;
  }
  TCollectionItem::Assign(source);
}

const rtl::TClass& TIndexDefs::StaticClass() {
  static const rtl::TClass cls = rtl::ClassBuilder<TIndexDefs>("TIndexDefs", &rtl::TCollection::StaticClass()).Build();
  return cls;
}

TIndexDefs::TIndexDefs(rtl::TPersistent* owner) : TCollection(TIndexDef::StaticClass(), owner) {}

TIndexDef* TIndexDefs::Items(int index) const { return static_cast<TIndexDef*>(TCollection::Items(index)); }

TIndexDef* TIndexDefs::AddIndexDef(const std::string& name, const std::string& fields, TIndexOptions options) {
  auto* def = static_cast<TIndexDef*>(Add());
  def->SetName(name);
  def->SetFields(fields);
  def->SetOptions(options);
  return def;
}

int TIndexDefs::IndexOf(const std::string& name) const {
  for (int i = 0; i < Count(); ++i)
    if (rtl::AnsiSameText(Items(i)->Name(), name)) return i;
  return -1;
}

TIndexDef* TIndexDefs::FindIndexForFields(const std::string& fields) const {
  std::vector<std::string> wanted = SplitFieldNames(fields);
  for (int i = 0; i < Count(); ++i) {
    std::vector<std::string> have = SplitFieldNames(Items(i)->Fields());
    if (have.size() < wanted.size()) continue;
    bool match = true;
    for (size_t k = 0; k < wanted.size() && match; ++k) match = rtl::AnsiSameText(have[k], wanted[k]);
    if (match) return Items(i);
  }
  return nullptr;
}

TIndexDef* TIndexDefs::GetPrimary() const {
  for (int i = 0; i < Count(); ++i)
    if (Items(i)->Options() & ixPrimary) return Items(i);
  return nullptr;
}

std::vector<std::string> SplitFieldNames(const std::string& fields) {
  std::vector<std::string> out;
  size_t start = 0;
  while (start <= fields.size()) {
    size_t end = fields.find(';', start);
    if (end == std::string::npos) end = fields.size();
    std::string part = rtl::Trim(fields.substr(start, end - start));
    if (!part.empty()) out.push_back(part);
    start = end + 1;
  }
  return out;
}

}  // namespace db
