#include "designide-dialogs/DesignerDialogs.h"

#include "designide-dialogs/CollectionEditorDlg.h"
#include "designide/DSDesign.h"
#include "designide-dialogs/FieldLinkDlg.h"
#include "designide-dialogs/FieldsEditorDlg.h"
#include "designide-dialogs/StringListEditDlg.h"
#include "designide/FldLinks.h"
#include "vcl/Keyboard.h"

namespace designide {

void InstallDesignerDialogs() {
  SetFieldLinkDesignerHandler(&ShowFieldLinkDesigner);
  SetShowCollectionEditorHandler(&ShowCollectionEditorDialog);
  SetShowFieldsEditorHandler(&ShowFieldsEditorDialog);
  SetStringListEditorHandler(&ShowStringListEditor);
  SetAltKeyQuery([] { return (vcl::GetAsyncKeyState(vcl::VK_MENU) & 0x8000) != 0; });
}

}  // namespace designide
