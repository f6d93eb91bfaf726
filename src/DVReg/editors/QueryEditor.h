#pragma once
// The query's component editor: the dataset verbs, the parameters and,
// while the design settings keep the package's SQL editor on, the SQL
// dialog.
#include "DVReg/editors/DataSetEditor.h"

namespace rtl {
class TStrings;
}

namespace dv {

class TDVQueryEditor : public TDVDataSetEditor {
  RTL_CLASS(TDVQueryEditor)
 public:
  TDVQueryEditor() = default;

  void ExecuteVerb(int Index) override;
  std::string GetVerb(int Index) override;
  int GetVerbCount() override;

  // Where the SQL dialog sends its text instead of storing it: the query's
  // SQL as a module of the code editor.
  void ShowCodeEditor(rtl::TStrings* Strings, bool TextModified);

 private:
  void EditSQL();
};

}  // namespace dv
