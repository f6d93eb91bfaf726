#include "designide/ObjectInspector.h"

#include <algorithm>

#include "designide/Registration.h"
#include "designide/ToolsAPI.h"
#include "rtl/system/TextSort.h"
#include "rtl/system/SysUtils.h"

namespace designide {

TInspectorRow::TInspectorRow(std::unique_ptr<TPropertyEditor> editor, const TInspectorRow* parent)
    : editor_(std::move(editor)), parent_(parent), name_(editor_->GetName()) {
  if (parent_ != nullptr)
    categories_ = parent_->categories_;
  else
    categories_ = GetPropertyCategories(editor_->GetComponent(0)->ClassType(), name_);
}

std::string TInspectorRow::Path() const { return parent_ == nullptr ? name_ : parent_->Path() + "." + name_; }

TPropertyAttributes TInspectorRow::Attributes() const {
  TPropertyAttributes attributes = editor_->GetAttributes();
  if (editor_->GetPropInfo().IsReadOnly()) attributes |= paReadOnly;
  return attributes;
}

std::string TInspectorRow::Value() const {
  if (editor_->PropCount() > 1 && !editor_->AllEqual()) return {};
  return editor_->GetValue();
}

std::vector<std::string> TInspectorRow::Values() const {
  std::vector<std::string> values;
  editor_->GetValues([&values](const std::string& v) { values.push_back(v); });
  // A list of ten thousand table names sorts in a fraction of the time that
  // listing them takes.
  if (Attributes() & paSortList) rtl::AnsiSortTexts(values);
  return values;
}

const std::vector<std::unique_ptr<TInspectorRow>>& TInspectorRow::SubRows() {
  if (!expanded_ && (Attributes() & paSubProperties)) {
    editor_->GetProperties([this](std::unique_ptr<TPropertyEditor> sub) {
      subRows_.push_back(std::make_unique<TInspectorRow>(std::move(sub), this));
    });
  }
  expanded_ = true;
  return subRows_;
}

void TInspectorRow::SetValue(const std::string& value) {
  if (Attributes() & paReadOnly) throw rtl::EPropertyError("Property " + Path() + " cannot be set to a typed value");
  editor_->SetValue(value);
  // An open code-editor module of a changed list shows the change.
  ModuleServices().CheckFileAges();
}

void TInspectorRow::Edit() {
  if ((Attributes() & paDialog) == 0) throw rtl::EPropertyError("Property " + Path() + " has no editor dialog");
  editor_->Edit();
  ModuleServices().CheckFileAges();
}

TObjectInspector::TObjectInspector(IDesigner* designer, std::vector<rtl::TPersistent*> selection)
    : selection_(std::move(selection)) {
  if (selection_.empty() || std::find(selection_.begin(), selection_.end(), nullptr) != selection_.end())
    throw rtl::EPropertyError("The Object Inspector needs a selection of components");
  GetComponentProperties(selection_, designer, [this](std::unique_ptr<TPropertyEditor> editor) {
    rows_.push_back(std::make_unique<TInspectorRow>(std::move(editor), nullptr));
  });
}

TInspectorRow* TObjectInspector::FindRow(const std::string& path) {
  const std::vector<std::unique_ptr<TInspectorRow>>* level = &rows_;
  TInspectorRow* found = nullptr;
  size_t start = 0;
  while (start <= path.size()) {
    size_t dot = path.find('.', start);
    if (dot == std::string::npos) dot = path.size();
    const std::string part = path.substr(start, dot - start);
    auto it = std::find_if(level->begin(), level->end(), [&](const auto& r) { return rtl::SameText(r->Name(), part); });
    if (it == level->end()) return nullptr;
    found = it->get();
    start = dot + 1;
    if (start <= path.size()) level = &found->SubRows();
  }
  return found;
}

std::vector<std::string> TObjectInspector::CategoryNames() const {
  std::vector<std::string> names;
  bool miscellaneous = false;
  for (const auto& row : rows_) {
    miscellaneous = miscellaneous || row->Categories().empty();
    for (const std::string& c : row->Categories())
      if (std::find(names.begin(), names.end(), c) == names.end()) names.push_back(c);
  }
  if (miscellaneous) names.push_back(MiscellaneousCategory);
  return names;
}

std::vector<TInspectorRow*> TObjectInspector::RowsInCategory(const std::string& category) const {
  std::vector<TInspectorRow*> rows;
  for (const auto& row : rows_) {
    const auto& cats = row->Categories();
    const bool in = cats.empty() ? category == MiscellaneousCategory
                                 : std::find(cats.begin(), cats.end(), category) != cats.end();
    if (in) rows.push_back(row.get());
  }
  return rows;
}

}  // namespace designide
