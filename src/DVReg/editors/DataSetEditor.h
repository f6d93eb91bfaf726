#pragma once
// The component editor of datasets (and of tables, which have none of their
// own): the About verb, a separator and the fields editor, which a
// double-click opens. The framework editor's own verbs are not offered.
#include "designide/DBReg.h"

namespace dv {

class TDVDataSetEditor : public designide::TDataSetEditor {
  RTL_CLASS(TDVDataSetEditor)
 public:
  TDVDataSetEditor() = default;

  void Edit() override;
  void ExecuteVerb(int Index) override;
  std::string GetVerb(int Index) override;
  int GetVerbCount() override;
};

}  // namespace dv
