#pragma once
// The collection editor: lists the items of a collection property (a
// query's Params, a macro query's Macros) and hands the chosen one to the
// Object Inspector. The dialog lives in the dialog layer, which installs it
// here (designide::InstallDesignerDialogs); without one, showing it raises
// EComponentError.
#include <functional>
#include <string>

#include "designide/Designer.h"
#include "rtl/objects/Collection.h"
#include "rtl/objects/Component.h"

namespace designide {

// What the person may do to the items besides choosing one, a set of flags.
enum TColOption : unsigned { coAdd = 1u << 0, coDelete = 1u << 1, coMove = 1u << 2 };
using TColOptions = unsigned;

// The class of the collection editor's window. Callers pass it (or a
// descendant) to ShowCollectionEditorClass; the installed dialog refuses a
// class that does not descend from it.
class TCollectionEditor : public rtl::TObject {
  RTL_CLASS(TCollectionEditor)
};

using TShowCollectionEditorHandler =
    std::function<void(IDesigner* designer, const rtl::TClass& editorClass, rtl::TComponent* component,
                       rtl::TCollection* collection, const std::string& propertyName, TColOptions options)>;
void SetShowCollectionEditorHandler(TShowCollectionEditorHandler handler);

// Shows the editor modally on `collection`, the property `propertyName` of
// `component`; returns when the person closes it. Changes are reported to
// the designer (Modified) as they are made.
void ShowCollectionEditorClass(IDesigner* designer, const rtl::TClass& editorClass, rtl::TComponent* component,
                               rtl::TCollection* collection, const std::string& propertyName, TColOptions options);

}  // namespace designide
