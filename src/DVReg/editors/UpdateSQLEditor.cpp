#include "DVReg/editors/UpdateSQLEditor.h"

#include "DVReg/editors/EditorFunctions.h"
#include "dralvo/Consts.h"
#include "dralvo/UpdateSQL.h"
#include "rtl/objects/ClassBuilder.h"

namespace dv {

const rtl::TClass& TDVUpdateSQLEditor::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TDVUpdateSQLEditor>("TDVUpdateSQLEditor", &TDVDefaultEditor::StaticClass())
          .Creatable()
          .Build();
  return cls;
}

// The own verbs follow the parent's: the parent's count comes from its own
// implementation, not the virtual one, which would answer this class's.
void TDVUpdateSQLEditor::Edit() { ExecuteVerb(2); }

void TDVUpdateSQLEditor::ExecuteVerb(int Index) {
  const int parentCount = TDVDefaultEditor::GetVerbCount();
  if (Index < parentCount) {
    TDVDefaultEditor::ExecuteVerb(Index);
    return;
  }
  // Index parentCount is the separator. An editor created for another class
  // gets the invalid-typecast error rather than a dialog on a wrong object.
  if (Index == parentCount + 1)
    ExecuteUpdateSQLEditor(GetDesigner(), rtl::As<dralvo::TDVUpdateSQL>(GetComponent()));
}

std::string TDVUpdateSQLEditor::GetVerb(int Index) {
  const int parentCount = TDVDefaultEditor::GetVerbCount();
  if (Index < parentCount) return TDVDefaultEditor::GetVerb(Index);
  if (Index == parentCount) return "-";
  if (Index == parentCount + 1) return dralvo::SUpdateSQLEditor;
  return {};
}

int TDVUpdateSQLEditor::GetVerbCount() { return TDVDefaultEditor::GetVerbCount() + 2; }

}  // namespace dv
