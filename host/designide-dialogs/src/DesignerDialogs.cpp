#include "designide/DesignerDialogs.h"

#include "designide/CollectionEditorDlg.h"
#include "designide/DSDesign.h"
#include "designide/FieldLinkDlg.h"
#include "designide/FieldsEditorDlg.h"
#include "designide/FldLinks.h"

namespace designide {

void InstallDesignerDialogs() {
  SetFieldLinkDesignerHandler(&ShowFieldLinkDesigner);
  SetShowCollectionEditorHandler(&ShowCollectionEditorDialog);
  SetShowFieldsEditorHandler(&ShowFieldsEditorDialog);
}

}  // namespace designide
