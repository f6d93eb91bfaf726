#pragma once
// The string lists that have a dialog of the runtime: a database's "Params"
// and a query's "SQL". The ellipsis button shows the list's code-editor
// module when one is open, opens the code editor directly while Alt is
// held down, and shows the runtime's dialog otherwise.
#include "designide/PropertyEditors.h"
#include "rtl/text/Strings.h"

namespace dv {

// A string-list property edited in a dialog: an ellipsis button, no
// sub-properties.
class TDVStringListEditDlgProperty : public designide::TClassProperty {
  RTL_CLASS(TDVStringListEditDlgProperty)
 public:
  designide::TPropertyAttributes GetAttributes() override;
  // The first component's list; it stays the component's.
  rtl::TStrings* GetStrings();
  // Stores the lines into the property of every edited component.
  void SetStrings(rtl::TStrings* Value);
};

class TDVDatabaseParamsProperty : public TDVStringListEditDlgProperty {
  RTL_CLASS(TDVDatabaseParamsProperty)
 public:
  void Edit() override;
  // Replaces the list's lines with the default connection parameters; a
  // null list is left alone.
  void GetDefaultParams(rtl::TStrings* List);
  void ShowCodeEditor(rtl::TStrings* Strings, bool TextModified);
};

class TDVQuerySQLProperty : public TDVStringListEditDlgProperty {
  RTL_CLASS(TDVQuerySQLProperty)
 public:
  void Edit() override;
  void ShowCodeEditor(rtl::TStrings* Strings, bool TextModified);
};

}  // namespace dv
