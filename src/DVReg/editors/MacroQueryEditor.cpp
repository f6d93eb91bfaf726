#include "DVReg/editors/MacroQueryEditor.h"

#include "DVReg/editors/EditorFunctions.h"
#include "dralvo/Consts.h"
#include "dralvo/MacroQuery.h"
#include "rtl/objects/ClassBuilder.h"

namespace dv {

const rtl::TClass& TDVMacroQueryEditor::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TDVMacroQueryEditor>("TDVMacroQueryEditor", &TDVQueryEditor::StaticClass())
          .Creatable()
          .Build();
  return cls;
}

// The macros verb follows however many verbs the query editor offers now.
void TDVMacroQueryEditor::ExecuteVerb(int Index) {
  const int parentCount = TDVQueryEditor::GetVerbCount();
  if (Index < parentCount)
    TDVQueryEditor::ExecuteVerb(Index);
  else if (Index == parentCount)
    EditMacroQueryMacros(GetDesigner(), rtl::As<dralvo::TDVMacroQuery>(GetComponent()));
}

std::string TDVMacroQueryEditor::GetVerb(int Index) {
  const int parentCount = TDVQueryEditor::GetVerbCount();
  if (Index < parentCount) return TDVQueryEditor::GetVerb(Index);
  return Index == parentCount ? dralvo::SBindMacrosVerb : std::string();
}

int TDVMacroQueryEditor::GetVerbCount() { return TDVQueryEditor::GetVerbCount() + 1; }

}  // namespace dv
