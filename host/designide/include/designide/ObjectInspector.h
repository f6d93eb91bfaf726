#pragma once
// The Object Inspector's model: the rows it shows for a selection of one or
// more components, each a published property with the editor that the
// framework's precedence picks (GetPropertyEditorClass), and what a person
// does with a row: read its value, open its value list, type a value, press
// its ellipsis button, expand its sub-properties.
//
// Rows are the properties every selected component has, and with several
// selected only those whose editor allows it (paMultiSelect). A value is
// read from the first selected component and shown blank when the selected
// components differ; a value set goes to every one of them. Failures are
// exceptions (rtl::EPropertyError and whatever the editor raises). The
// model keeps no values: every read asks the editor again.
#include <memory>
#include <string>
#include <vector>

#include "designide/PropertyEditors.h"

namespace designide {

class TInspectorRow {
 public:
  TInspectorRow(std::unique_ptr<TPropertyEditor> editor, const TInspectorRow* parent);
  TInspectorRow(const TInspectorRow&) = delete;
  TInspectorRow& operator=(const TInspectorRow&) = delete;

  const std::string& Name() const { return name_; }
  // The dotted path from the top row ("DesignOptions.ddoStoreConnected").
  std::string Path() const;
  int Depth() const { return parent_ == nullptr ? 0 : parent_->Depth() + 1; }
  TPropertyEditor& Editor() const { return *editor_; }
  const rtl::TClass& EditorClass() const { return editor_->ClassType(); }
  // The editor's attributes, with paReadOnly for a property that cannot be
  // written.
  TPropertyAttributes Attributes() const;
  // The value text; "" when the selected components hold different values.
  std::string Value() const;
  // The value list, in the editor's order, or sorted ignoring case when
  // the row says paSortList.
  std::vector<std::string> Values() const;
  bool AutoFill() const { return editor_->AutoFill(); }
  // The property categories of the row (those of its top row for a
  // sub-property).
  const std::vector<std::string>& Categories() const { return categories_; }
  // The sub-properties (paSubProperties), made on first use.
  const std::vector<std::unique_ptr<TInspectorRow>>& SubRows();

  // Sets the value through the editor (every selected component). Raises
  // EPropertyError for a read-only row.
  void SetValue(const std::string& value);
  // The ellipsis button. Raises EPropertyError for a row without one.
  void Edit();

 private:
  friend class TObjectInspector;
  std::unique_ptr<TPropertyEditor> editor_;
  const TInspectorRow* parent_;
  std::string name_;
  std::vector<std::string> categories_;
  bool expanded_ = false;
  std::vector<std::unique_ptr<TInspectorRow>> subRows_;
};

class TObjectInspector {
 public:
  // Raises EPropertyError for an empty selection.
  TObjectInspector(IDesigner* designer, std::vector<rtl::TPersistent*> selection);

  const std::vector<rtl::TPersistent*>& Selection() const { return selection_; }
  const std::vector<std::unique_ptr<TInspectorRow>>& Rows() const { return rows_; }
  // The row of a name or dotted path, ignoring case, expanding
  // sub-properties on the way; null when there is none.
  TInspectorRow* FindRow(const std::string& path);
  // The categories of the rows in order of first use; rows in none are in
  // "Miscellaneous", which comes last.
  std::vector<std::string> CategoryNames() const;
  std::vector<TInspectorRow*> RowsInCategory(const std::string& category) const;

  static constexpr const char* MiscellaneousCategory = "Miscellaneous";

 private:
  std::vector<rtl::TPersistent*> selection_;
  std::vector<std::unique_ptr<TInspectorRow>> rows_;
};

}  // namespace designide
