#include "DVReg/editors/StoredProcEditor.h"

#include "DVReg/editors/EditorFunctions.h"
#include "dralvo/Consts.h"
#include "dralvo/StoredProc.h"
#include "rtl/objects/ClassBuilder.h"

namespace dv {

const rtl::TClass& TDVStoredProcEditor::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TDVStoredProcEditor>("TDVStoredProcEditor", &TDVDataSetEditor::StaticClass())
          .Creatable()
          .Build();
  return cls;
}

void TDVStoredProcEditor::ExecuteVerb(int Index) {
  const int parentCount = TDVDataSetEditor::GetVerbCount();
  if (Index < parentCount)
    TDVDataSetEditor::ExecuteVerb(Index);
  else if (Index == parentCount)
    EditStoredProcParams(GetDesigner(), rtl::As<dralvo::TDVStoredProc>(GetComponent()));
}

std::string TDVStoredProcEditor::GetVerb(int Index) {
  const int parentCount = TDVDataSetEditor::GetVerbCount();
  if (Index < parentCount) return TDVDataSetEditor::GetVerb(Index);
  return Index == parentCount ? dralvo::SBindVerb : std::string();
}

int TDVStoredProcEditor::GetVerbCount() { return TDVDataSetEditor::GetVerbCount() + 1; }

}  // namespace dv
