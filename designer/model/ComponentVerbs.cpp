#include "model/ComponentVerbs.h"

#include <memory>

#include "designide/ComponentEditors.h"
#include "designide/Registration.h"

namespace designer {

namespace {
std::unique_ptr<designide::TComponentEditor> EditorFor(rtl::TComponent& component, designide::IDesigner& designer) {
  const rtl::TClass* editorClass = designide::FindComponentEditorClass(component.ClassType());
  if (editorClass == nullptr) return nullptr;
  return designide::CreateComponentEditor(*editorClass, &component, &designer);
}
}  // namespace

std::vector<TVerb> ComponentVerbs(rtl::TComponent& component, designide::IDesigner& designer) {
  std::vector<TVerb> verbs;
  auto editor = EditorFor(component, designer);
  if (editor == nullptr) return verbs;
  const int count = editor->GetVerbCount();
  for (int i = 0; i < count; ++i) verbs.push_back({i, editor->GetVerb(i)});
  return verbs;
}

void ExecuteComponentVerb(rtl::TComponent& component, designide::IDesigner& designer, int index) {
  if (auto editor = EditorFor(component, designer)) editor->ExecuteVerb(index);
}

bool EditComponent(rtl::TComponent& component, designide::IDesigner& designer) {
  auto editor = EditorFor(component, designer);
  if (editor == nullptr) return false;
  editor->Edit();
  return true;
}

}  // namespace designer
