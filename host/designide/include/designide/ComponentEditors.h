#pragma once
// Component editors: the context-menu verbs and double-click action of a
// component in the form designer. The IDE creates one from the registered
// class for each request (CreateComponentEditor) and frees it afterwards.
#include <memory>
#include <string>

#include "designide/Designer.h"
#include "rtl/objects/Component.h"

namespace designide {

class TComponentEditor : public rtl::TObject {
  RTL_CLASS(TComponentEditor)
 public:
  TComponentEditor() = default;

  // Double-click: runs verb 0 when there is one.
  virtual void Edit();
  virtual void ExecuteVerb(int index);
  virtual std::string GetVerb(int index);
  // The framework's own editor offers no verbs.
  virtual int GetVerbCount();
  // Copies the component to the clipboard (nothing by default).
  virtual void Copy() {}

  rtl::TComponent* GetComponent() const { return component_; }
  IDesigner* GetDesigner() const { return designer_; }

 private:
  friend std::unique_ptr<TComponentEditor> CreateComponentEditor(const rtl::TClass&, rtl::TComponent*, IDesigner*);
  rtl::TComponent* component_ = nullptr;
  IDesigner* designer_ = nullptr;
};

// Creates an editor of class `editorClass` (a TComponentEditor descendant
// with a factory) for the component. Raises EInvalidCast for another class.
std::unique_ptr<TComponentEditor> CreateComponentEditor(const rtl::TClass& editorClass, rtl::TComponent* component,
                                                        IDesigner* designer);

}  // namespace designide
