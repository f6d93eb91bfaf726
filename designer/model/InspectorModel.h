#pragma once
// What the Object Inspector shows for the designed module's selection,
// without a widget: the framework's inspector model made for the selection,
// its rows in property order or grouped by category, how each row's value
// is edited, and each edit made as one undoable change of the module.
// Rows are named by their dotted path, so a caller never holds a row across
// a change that may rebuild them.
#include <memory>
#include <string>
#include <vector>

#include "designide/ObjectInspector.h"

namespace designer {

class TDesignDocument;

// How a row's value is edited, from the editor's attributes.
struct TValueEditing {
  bool List = false;       // a drop-down of the editor's values
  bool Completes = false;  // typed text completes from the values (AutoFill)
  bool Ellipsis = false;   // a button that runs the editor's dialog
  bool Typed = true;       // a value can be typed and entered
  bool Expands = false;    // sub-properties below the row
};
// Asks the editor (AutoFill may look at the database's connection).
TValueEditing EditingOf(designide::TInspectorRow& row);

// Rows under a category heading; the heading is "" when not grouped.
struct TInspectorGroup {
  std::string Heading;
  std::vector<designide::TInspectorRow*> Rows;
};

class TInspectorModel {
 public:
  explicit TInspectorModel(TDesignDocument& document) : document_(document) {}

  // Made anew for the document's selection as it is now (no rows when
  // nothing is selected).
  void Reload();
  // Forgets the rows (before the selected components go).
  void Clear() { inspector_.reset(); }
  bool Empty() const { return inspector_ == nullptr; }
  // "OrdersQuery: TDVQuery", or "3 components"; "" when nothing is shown.
  std::string Heading() const;
  // The top-level rows: one group in property order, or one group per
  // category in order of first use (a row may stand in several).
  std::vector<TInspectorGroup> Groups(bool byCategory) const;
  // The row of a dotted path, or null.
  designide::TInspectorRow* Find(const std::string& path) const;

  // Sets the value through the row's editor as one undoable change named
  // after the property; raises what the editor raises.
  void SetValue(const std::string& path, const std::string& text);
  // Runs the row's dialog (the ellipsis button) as one undoable change.
  void Edit(const std::string& path);

 private:
  designide::TInspectorRow& Row(const std::string& path) const;
  std::string ChangeLabel(const std::string& verb, const std::string& path) const;

  TDesignDocument& document_;
  std::unique_ptr<designide::TObjectInspector> inspector_;
};

}  // namespace designer
