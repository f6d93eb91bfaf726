#include "DVReg/editors/QueryEditor.h"

#include "DVReg/settings/DesignSettings.h"
#include "DVReg/editors/EditorFunctions.h"
#include "DVReg/codeeditor/StringsModule.h"
#include "dralvo/Consts.h"
#include "dralvo-dialogs/Dlgs.h"
#include "dralvo/Query.h"
#include "rtl/objects/ClassBuilder.h"

namespace dv {

const rtl::TClass& TDVQueryEditor::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TDVQueryEditor>("TDVQueryEditor", &TDVDataSetEditor::StaticClass()).Creatable().Build();
  return cls;
}

namespace {
// Asked at every call: the verb follows the setting, as the SQL property
// editor's registration does.
bool SQLEditorOn() { return DesignSettings != nullptr && DesignSettings->SQLEditor(); }
}  // namespace

// The own verbs follow the parent's: its count comes from its own
// implementation, not the virtual one, which would answer this class's.
void TDVQueryEditor::ExecuteVerb(int Index) {
  const int parentCount = TDVDataSetEditor::GetVerbCount();
  if (Index < parentCount)
    TDVDataSetEditor::ExecuteVerb(Index);
  else if (Index == parentCount)
    EditQueryParams(GetDesigner(), rtl::As<dralvo::TDVQuery>(GetComponent()));
  else if (Index == parentCount + 1 && SQLEditorOn())
    EditSQL();
}

std::string TDVQueryEditor::GetVerb(int Index) {
  const int parentCount = TDVDataSetEditor::GetVerbCount();
  if (Index < parentCount) return TDVDataSetEditor::GetVerb(Index);
  if (Index == parentCount) return dralvo::SBindVerb;
  if (Index == parentCount + 1 && SQLEditorOn()) return dralvo::SEditSQLVerb;
  return {};
}

int TDVQueryEditor::GetVerbCount() { return TDVDataSetEditor::GetVerbCount() + 1 + (SQLEditorOn() ? 1 : 0); }

void TDVQueryEditor::ShowCodeEditor(rtl::TStrings* Strings, bool TextModified) {
  OpenStringsInCodeEditor(GetDesigner(), GetComponent(), "SQL", TextModified, Strings);
}

void TDVQueryEditor::EditSQL() {
  auto* query = rtl::As<dralvo::TDVQuery>(GetComponent());
  // An open module holding unsaved SQL keeps the text; no dialog then.
  if (!CloseStringsModule(GetDesigner(), query, "SQL")) return;
  const std::string title = GetDesignerRootName(GetDesigner()) + "." + query->Name() + ".SQL";
  const bool accepted = dralvo::ShowSQLEditor(
      title, query, [this](rtl::TStrings* strings, bool modified) { ShowCodeEditor(strings, modified); });
  if (accepted && GetDesigner() != nullptr) GetDesigner()->Modified();
}

}  // namespace dv
