#pragma once
// The code-editor bridge: a component's string-list property (a query's
// SQL, a database's Params) opened as a text module of the code editor,
// found again, brought to the front or closed.
//
// One identifier names the module of a property, for opening and for the
// look-ups alike: the designer's extension, ".", the root's Name, ".", the
// component's Name, ".", the property name ("dfm.Form1.Query1.SQL"). It can
// be built only for a component owned by the designer's root when the root
// has a name; the look-ups then find no module, and opening is refused by
// the module services with an error.
#include <string>

namespace designide {
class IDesigner;
class TModuleServices;
}  // namespace designide
namespace rtl {
class TPersistent;
class TStrings;
}  // namespace rtl

namespace dv {

// Opens Strings as the text module of the property; with TextModified the
// module is marked modified before it is shown. The strings file system
// carries the module's saved text back into the property.
void OpenStringsInCodeEditor(designide::IDesigner* Designer, rtl::TPersistent* Component, const std::string& PropName,
                             bool TextModified, rtl::TStrings* Strings);
// True when no module of the property is open afterwards; false when the
// open module refused to close (it holds unsaved text and the host kept it).
bool CloseStringsModule(designide::IDesigner* Designer, rtl::TPersistent* Component, const std::string& PropName);
// True when a module of the property was open and was brought to the front.
bool ShowStringsModule(designide::IDesigner* Designer, rtl::TPersistent* Component, const std::string& PropName);
// True while the Alt key is held down.
bool IsAltKeyDown();

designide::TModuleServices& GetModuleServices();
// The identifier of the property's module, or "" when none can be built.
std::string StringsModuleIdent(designide::IDesigner* Designer, rtl::TPersistent* Component,
                               const std::string& PropName);

}  // namespace dv
