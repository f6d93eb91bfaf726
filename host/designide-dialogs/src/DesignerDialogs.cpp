#include "designide-dialogs/DesignerDialogs.h"

#include "designide-dialogs/CollectionEditorDlg.h"
#include "designide/DSDesign.h"
#include "designide-dialogs/FieldLinkDlg.h"
#include "designide-dialogs/FieldsEditorDlg.h"
#include "designide/FldLinks.h"

namespace designide {

void InstallDesignerDialogs() {
  SetFieldLinkDesignerHandler(&ShowFieldLinkDesigner);
  SetShowCollectionEditorHandler(&ShowCollectionEditorDialog);
  SetShowFieldsEditorHandler(&ShowFieldsEditorDialog);
}

}  // namespace designide
