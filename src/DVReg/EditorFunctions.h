#pragma once
// Functions of the registration unit shared by the component editors.
#include <string>

namespace designide {
class IDesigner;
}
namespace dralvo {
class TDVUpdateSQL;
}

namespace dv {

// The About verb's caption: the product name and the version text of this
// package's file, separated by one blank ("Dralvo " when the file has no
// version data).
std::string GetAboutVerbCaption();

// Runs the UpdateSQL editor on the update object; when it changed the
// object, tells the designer (if any) and returns true.
bool ExecuteUpdateSQLEditor(designide::IDesigner* designer, dralvo::TDVUpdateSQL* updateSQL);

}  // namespace dv
