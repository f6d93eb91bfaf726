// The layout of the collection editor: every control with its kind, bounds,
// caption and bound handler, in creation order.
#include "DialogLayout.h"
#include "designide-dialogs/CollectionEditorDlg.h"

namespace designide {

void TCollectionEditorDlg::CreateControls() {
  SetName("CollectionEditorDlg");
  vcl::DialogLook(*this, vcl::TFormBorderStyle::bsSizeToolWin, 300, 280);
  using Self = TCollectionEditorDlg;
  lbItems = Place<vcl::TListBox>(this, "lbItems", 8, 8, 200, 264);
  lbItems->OnClick = Handler(this, &Self::lbItemsClick);
  btAdd = Place<vcl::TButton>(this, "btAdd", 216, 8, 76, 25, "&Add");
  btAdd->OnClick = Handler(this, &Self::btAddClick);
  btDelete = Place<vcl::TButton>(this, "btDelete", 216, 40, 76, 25, "&Delete");
  btDelete->OnClick = Handler(this, &Self::btDeleteClick);
  btMoveUp = Place<vcl::TButton>(this, "btMoveUp", 216, 80, 76, 25, "Move &Up");
  btMoveUp->OnClick = Handler(this, &Self::btMoveUpClick);
  btMoveDown = Place<vcl::TButton>(this, "btMoveDown", 216, 112, 76, 25, "Move Do&wn");
  btMoveDown->OnClick = Handler(this, &Self::btMoveDownClick);
  btClose = Place<vcl::TButton>(this, "btClose", 216, 247, 76, 25, "&Close");
  btClose->SetDefault(true);
  btClose->SetCancel(true);
  btClose->SetModalResult(vcl::mrOk);
}

}  // namespace designide
