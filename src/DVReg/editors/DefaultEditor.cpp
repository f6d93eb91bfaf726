#include "DVReg/editors/DefaultEditor.h"

#include "DVAbout/AboutDlg.h"
#include "DVReg/editors/EditorFunctions.h"
#include "rtl/objects/ClassBuilder.h"

namespace dv {

const rtl::TClass& TDVDefaultEditor::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TDVDefaultEditor>("TDVDefaultEditor", &designide::TComponentEditor::StaticClass())
          .Creatable()
          .Build();
  return cls;
}

const rtl::TClass& TDVScriptEditor::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TDVScriptEditor>("TDVScriptEditor", &TDVDefaultEditor::StaticClass()).Creatable().Build();
  return cls;
}

void TDVDefaultEditor::Edit() { ExecuteVerb(0); }

void TDVDefaultEditor::ExecuteVerb(int Index) {
  if (Index == 0) ShowAboutBox();
}

std::string TDVDefaultEditor::GetVerb(int Index) { return Index == 0 ? GetAboutVerbCaption() : std::string(); }

int TDVDefaultEditor::GetVerbCount() { return 1; }

}  // namespace dv
