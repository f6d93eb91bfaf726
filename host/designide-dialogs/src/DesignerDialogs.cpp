#include "designide/DesignerDialogs.h"

#include "designide/FieldLinkDlg.h"
#include "designide/FldLinks.h"

namespace designide {

void InstallDesignerDialogs() { SetFieldLinkDesignerHandler(&ShowFieldLinkDesigner); }

}  // namespace designide
