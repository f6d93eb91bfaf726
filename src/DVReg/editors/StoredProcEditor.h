#pragma once
// The stored procedure's component editor: the dataset verbs and the
// parameters.
#include "DVReg/editors/DataSetEditor.h"

namespace dv {

class TDVStoredProcEditor : public TDVDataSetEditor {
  RTL_CLASS(TDVStoredProcEditor)
 public:
  TDVStoredProcEditor() = default;

  void ExecuteVerb(int Index) override;
  std::string GetVerb(int Index) override;
  int GetVerbCount() override;
};

}  // namespace dv
