#include "designide/ComponentEditors.h"

#include "designide/DBReg.h"
#include "designide/DSDesign.h"
#include "rtl/objects/ClassBuilder.h"

namespace designide {

const rtl::TClass& TComponentEditor::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TComponentEditor>("TComponentEditor", &rtl::TObject::StaticClass()).Creatable().Build();
  return cls;
}

void TComponentEditor::Edit() {
  if (GetVerbCount() > 0) ExecuteVerb(0);
}

void TComponentEditor::ExecuteVerb(int) {}
std::string TComponentEditor::GetVerb(int) { return {}; }
int TComponentEditor::GetVerbCount() { return 0; }

std::unique_ptr<TComponentEditor> CreateComponentEditor(const rtl::TClass& editorClass, rtl::TComponent* component,
                                                        IDesigner* designer) {
  if (!editorClass.InheritsFrom(TComponentEditor::StaticClass()))
    throw rtl::EInvalidCast(editorClass.ClassName() + " is not a component editor class");
  std::unique_ptr<rtl::TObject> made(editorClass.Create(nullptr));
  std::unique_ptr<TComponentEditor> editor(rtl::As<TComponentEditor>(made.release()));
  editor->component_ = component;
  editor->designer_ = designer;
  return editor;
}

// --- The dataset editor ------------------------------------------------------

const rtl::TClass& TDataSetEditor::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TDataSetEditor>("TDataSetEditor", &TComponentEditor::StaticClass()).Creatable().Build();
  return cls;
}

void TDataSetEditor::ExecuteVerb(int index) {
  if (index == 0) ShowFieldsEditor(GetDesigner(), rtl::As<db::TDataSet>(GetComponent()), GetDSDesignerClass());
}

std::string TDataSetEditor::GetVerb(int index) { return index == 0 ? "Fields Editor..." : std::string(); }

int TDataSetEditor::GetVerbCount() { return 1; }

const rtl::TClass& TDataSetEditor::GetDSDesignerClass() { return TDSDesigner::StaticClass(); }

// --- The fields editor seam ----------------------------------------------------

const rtl::TClass& TDSDesigner::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TDSDesigner>("TDSDesigner", &rtl::TObject::StaticClass()).Creatable().Build();
  return cls;
}

namespace {
TShowFieldsEditorHandler& FieldsEditorHandler() {
  static TShowFieldsEditorHandler handler;
  return handler;
}
}  // namespace

void SetShowFieldsEditorHandler(TShowFieldsEditorHandler handler) { FieldsEditorHandler() = std::move(handler); }

void ShowFieldsEditor(IDesigner* designer, db::TDataSet* dataSet, const rtl::TClass& designerClass) {
  auto& handler = FieldsEditorHandler();
  if (!handler) throw rtl::EComponentError("No fields editor is available in this host");
  handler(designer, dataSet, designerClass);
}

}  // namespace designide
