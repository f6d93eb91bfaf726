#include "model/InspectorModel.h"

#include "model/DesignDocument.h"
#include "rtl/system/Exceptions.h"

namespace designer {

using designide::TInspectorRow;

TValueEditing EditingOf(TInspectorRow& row) {
  const designide::TPropertyAttributes attributes = row.Attributes();
  TValueEditing editing;
  editing.List = (attributes & designide::paValueList) != 0;
  editing.Completes = editing.List && row.AutoFill();
  editing.Ellipsis = (attributes & designide::paDialog) != 0;
  editing.Typed = (attributes & designide::paReadOnly) == 0;
  editing.Expands = (attributes & designide::paSubProperties) != 0;
  return editing;
}

void TInspectorModel::Reload() {
  inspector_.reset();
  const std::vector<rtl::TComponent*>& selected = document_.Selection().Items();
  if (selected.empty()) return;
  inspector_ = std::make_unique<designide::TObjectInspector>(
      &document_, std::vector<rtl::TPersistent*>(selected.begin(), selected.end()));
}

std::string TInspectorModel::Heading() const {
  if (inspector_ == nullptr) return {};
  const auto& selection = inspector_->Selection();
  if (selection.size() > 1) return std::to_string(selection.size()) + " components";
  auto* component = static_cast<rtl::TComponent*>(selection.front());
  return component->Name() + ": " + component->ClassName();
}

std::vector<TInspectorGroup> TInspectorModel::Groups(bool byCategory) const {
  std::vector<TInspectorGroup> groups;
  if (inspector_ == nullptr) return groups;
  if (!byCategory) {
    TInspectorGroup all;
    for (const auto& row : inspector_->Rows()) all.Rows.push_back(row.get());
    groups.push_back(std::move(all));
    return groups;
  }
  for (const std::string& category : inspector_->CategoryNames())
    groups.push_back({category, inspector_->RowsInCategory(category)});
  return groups;
}

TInspectorRow* TInspectorModel::Find(const std::string& path) const {
  return inspector_ == nullptr ? nullptr : inspector_->FindRow(path);
}

TInspectorRow& TInspectorModel::Row(const std::string& path) const {
  TInspectorRow* row = Find(path);
  if (row == nullptr) throw rtl::EPropertyError("The Object Inspector shows no property " + path);
  return *row;
}

std::string TInspectorModel::ChangeLabel(const std::string& verb, const std::string& path) const {
  const auto& selection = inspector_->Selection();
  if (selection.size() > 1) return verb + " " + path;
  return verb + " " + static_cast<rtl::TComponent*>(selection.front())->Name() + "." + path;
}

void TInspectorModel::SetValue(const std::string& path, const std::string& text) {
  TInspectorRow& row = Row(path);
  document_.Change(ChangeLabel("Set", path), [&] { row.SetValue(text); });
}

void TInspectorModel::Edit(const std::string& path) {
  TInspectorRow& row = Row(path);
  document_.Change(ChangeLabel("Edit", path), [&] { row.Edit(); });
}

}  // namespace designer
