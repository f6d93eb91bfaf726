#pragma once
// The component editor of components without editing verbs (session,
// monitor, base server, script): the About verb, also on double-click.
#include "designide/ComponentEditors.h"

namespace dv {

class TDVDefaultEditor : public designide::TComponentEditor {
  RTL_CLASS(TDVDefaultEditor)
 public:
  TDVDefaultEditor() = default;

  void Edit() override;
  void ExecuteVerb(int Index) override;
  std::string GetVerb(int Index) override;
  int GetVerbCount() override;
};

// Exactly the default editor, under its own name.
class TDVScriptEditor : public TDVDefaultEditor {
  RTL_CLASS(TDVScriptEditor)
 public:
  TDVScriptEditor() = default;
};

}  // namespace dv
