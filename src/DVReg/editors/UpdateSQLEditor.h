#pragma once
// The update object's component editor: the About verb, a separator and the
// UpdateSQL editor, which a double-click opens.
#include "DVReg/editors/DefaultEditor.h"

namespace dv {

class TDVUpdateSQLEditor : public TDVDefaultEditor {
  RTL_CLASS(TDVUpdateSQLEditor)
 public:
  TDVUpdateSQLEditor() = default;

  void Edit() override;
  void ExecuteVerb(int Index) override;
  std::string GetVerb(int Index) override;
  int GetVerbCount() override;
};

}  // namespace dv
