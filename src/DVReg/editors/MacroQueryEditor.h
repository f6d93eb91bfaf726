#pragma once
// The macro query's component editor: the query's verbs and the macros.
#include "DVReg/editors/QueryEditor.h"

namespace dv {

class TDVMacroQueryEditor : public TDVQueryEditor {
  RTL_CLASS(TDVMacroQueryEditor)
 public:
  TDVMacroQueryEditor() = default;

  void ExecuteVerb(int Index) override;
  std::string GetVerb(int Index) override;
  int GetVerbCount() override;
};

}  // namespace dv
