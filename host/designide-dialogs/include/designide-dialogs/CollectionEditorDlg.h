#pragma once
// The collection editor: the items of a collection property listed by
// index and display name. Clicking an item hands it to the Object
// Inspector (the designer's SelectComponent). Add, Delete, Move Up and
// Move Down work only as far as the options allow; each change is reported
// to the designer at once. The dialog keeps no copy: it edits the
// collection itself, so Close is its only way out.
#include <string>

#include "designide/ColnEdit.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"

namespace designide {

class TCollectionEditorDlg : public vcl::TForm {
  RTL_CLASS(TCollectionEditorDlg)
 public:
  explicit TCollectionEditorDlg(rtl::TComponent* owner);

  vcl::TListBox* lbItems = nullptr;
  vcl::TButton* btAdd = nullptr;
  vcl::TButton* btDelete = nullptr;
  vcl::TButton* btMoveUp = nullptr;
  vcl::TButton* btMoveDown = nullptr;
  vcl::TButton* btClose = nullptr;

  void Load(IDesigner* designer, rtl::TComponent* component, rtl::TCollection* collection,
            const std::string& propertyName, TColOptions options);
  // "0 - Name", as the list shows an item.
  static std::string ItemText(const rtl::TCollectionItem& item);

  void lbItemsClick(rtl::TObject* Sender);
  void btAddClick(rtl::TObject* Sender);
  void btDeleteClick(rtl::TObject* Sender);
  void btMoveUpClick(rtl::TObject* Sender);
  void btMoveDownClick(rtl::TObject* Sender);

 private:
  void CreateControls();  // the layout, in its own file
  void FillItems(int selected);
  void UpdateButtons();
  void Changed(int selected);
  void MoveSelected(int by);

  IDesigner* designer_ = nullptr;
  rtl::TCollection* collection_ = nullptr;
  TColOptions options_ = 0;
};

// The framework's collection editor handler: shows the dialog modally.
// Raises EInvalidCast for an editor class that is not a TCollectionEditor.
void ShowCollectionEditorDialog(IDesigner* designer, const rtl::TClass& editorClass, rtl::TComponent* component,
                                rtl::TCollection* collection, const std::string& propertyName,
                                TColOptions options);

}  // namespace designide
