#pragma once
// Opens a component's string-list property as a text module of the strings
// file system, the way a package's code-editor bridge does: a creator hands
// the list's text to the module services under "<ext>.<root>.<component>.
// <property>", the file system ties the name to the property, and the
// editor comes to the front. The window needs it of its own: after an undo
// or redo has made the components anew, it reopens the code tabs that were
// open on them (the package's editors open the first ones). The tests and
// the window's pictures use it where no package caller is at hand.
#include <string>

#include "designide/Designer.h"
#include "designide/ToolsAPI.h"

namespace designer {

// The module's file name. Raises EComponentError when the component is not
// owned by the designer's named root.
std::string StringsModuleName(designide::IDesigner& designer, rtl::TComponent& component,
                              const std::string& propertyName);
designide::TModule& OpenStringsModule(designide::IDesigner& designer, rtl::TComponent& component,
                                      const std::string& propertyName);

}  // namespace designer
