#pragma once
// The framework's own way of opening a component's string-list property
// as a text module of the strings file system, as a package's code-editor
// bridge does: a creator hands the text to the module services under
// "<ext>.<root>.<component>.<property>", the file system ties the name to
// the property, and the editor comes to the front. Its string-list editor
// (StringListProperty.h) opens and finds modules with it; the designer
// window reopens its code tabs with it after an undo.
#include <string>

#include "designide/Designer.h"
#include "designide/ToolsAPI.h"

namespace rtl {
class TStrings;
}

namespace designide {

// The module's file name. Raises EComponentError when the component is not
// owned by the designer's named root.
std::string StringsModuleName(IDesigner& designer, rtl::TComponent& component, const std::string& propertyName);
// Opens the property's lines. Raises EPropertyError when the component has
// no string list of that name.
TModule& OpenStringsModule(IDesigner& designer, rtl::TComponent& component, const std::string& propertyName);
// Opens `lines` in place of the property's own (a dialog's text handed to
// the code editor); `textModified` marks them as unsaved edits.
TModule& OpenStringsModule(IDesigner& designer, rtl::TComponent& component, const std::string& propertyName,
                           const rtl::TStrings& lines, bool textModified);
// The open module of the property (one holding its file), or null; also
// null for a component that no module name can be made for.
TModule* FindStringsModule(IDesigner& designer, rtl::TComponent& component, const std::string& propertyName);

}  // namespace designide
