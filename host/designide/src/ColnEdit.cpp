#include "designide/ColnEdit.h"

#include "rtl/objects/ClassBuilder.h"

namespace designide {

const rtl::TClass& TCollectionEditor::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TCollectionEditor>("TCollectionEditor", &rtl::TObject::StaticClass()).Build();
  return cls;
}

namespace {
TShowCollectionEditorHandler& CollectionEditorHandler() {
  static TShowCollectionEditorHandler handler;
  return handler;
}
}  // namespace

void SetShowCollectionEditorHandler(TShowCollectionEditorHandler handler) {
  CollectionEditorHandler() = std::move(handler);
}

void ShowCollectionEditorClass(IDesigner* designer, const rtl::TClass& editorClass, rtl::TComponent* component,
                               rtl::TCollection* collection, const std::string& propertyName, TColOptions options) {
  auto& handler = CollectionEditorHandler();
  if (!handler) throw rtl::EComponentError("No collection editor is available in this host");
  handler(designer, editorClass, component, collection, propertyName, options);
}

}  // namespace designide
