#include "designide-dialogs/CollectionEditorDlg.h"

#include <memory>

#include "rtl/objects/ClassBuilder.h"
#include "rtl/system/Exceptions.h"

namespace designide {

const rtl::TClass& TCollectionEditorDlg::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TCollectionEditorDlg>("TCollectionEditorDlg", &vcl::TForm::StaticClass()).Build();
  return cls;
}

TCollectionEditorDlg::TCollectionEditorDlg(rtl::TComponent* owner) : vcl::TForm(owner) { CreateControls(); }

std::string TCollectionEditorDlg::ItemText(const rtl::TCollectionItem& item) {
  return std::to_string(item.Index()) + " - " + item.DisplayName();
}

void TCollectionEditorDlg::Load(IDesigner* designer, rtl::TComponent* component, rtl::TCollection* collection,
                                const std::string& propertyName, TColOptions options) {
  designer_ = designer;
  collection_ = collection;
  options_ = options;
  SetCaption("Editing " + (component->Name().empty() ? component->ClassName() : component->Name()) + "." +
             propertyName);
  btAdd->SetVisible((options & coAdd) != 0);
  btDelete->SetVisible((options & coDelete) != 0);
  btMoveUp->SetVisible((options & coMove) != 0);
  btMoveDown->SetVisible((options & coMove) != 0);
  FillItems(-1);
}

void TCollectionEditorDlg::FillItems(int selected) {
  rtl::TStrings* items = lbItems->Items();
  items->BeginUpdate();
  items->Clear();
  for (int i = 0; i < collection_->Count(); ++i) items->Add(ItemText(*collection_->Items(i)));
  items->EndUpdate();
  lbItems->SetItemIndex(selected < collection_->Count() ? selected : collection_->Count() - 1);
  UpdateButtons();
}

void TCollectionEditorDlg::UpdateButtons() {
  const int index = lbItems->ItemIndex();
  btAdd->SetEnabled((options_ & coAdd) != 0);
  btDelete->SetEnabled((options_ & coDelete) != 0 && index >= 0);
  btMoveUp->SetEnabled((options_ & coMove) != 0 && index > 0);
  btMoveDown->SetEnabled((options_ & coMove) != 0 && index >= 0 && index + 1 < collection_->Count());
}

// The designer hears of every change at once, and the inspector shows the
// item now chosen (or the component, when none is).
void TCollectionEditorDlg::Changed(int selected) {
  FillItems(selected);
  if (designer_ == nullptr) return;
  designer_->Modified();
  const int index = lbItems->ItemIndex();
  designer_->SelectComponent(index >= 0 ? static_cast<rtl::TPersistent*>(collection_->Items(index))
                                        : collection_->GetOwner());
}

void TCollectionEditorDlg::lbItemsClick(rtl::TObject*) {
  UpdateButtons();
  const int index = lbItems->ItemIndex();
  if (designer_ != nullptr && index >= 0 && index < collection_->Count())
    designer_->SelectComponent(collection_->Items(index));
}

void TCollectionEditorDlg::btAddClick(rtl::TObject*) {
  if ((options_ & coAdd) == 0) return;
  Changed(collection_->Add()->Index());
}

void TCollectionEditorDlg::btDeleteClick(rtl::TObject*) {
  const int index = lbItems->ItemIndex();
  if ((options_ & coDelete) == 0 || index < 0 || index >= collection_->Count()) return;
  collection_->Delete(index);
  Changed(index);
}

void TCollectionEditorDlg::MoveSelected(int by) {
  const int index = lbItems->ItemIndex();
  const int to = index + by;
  if ((options_ & coMove) == 0 || index < 0 || to < 0 || to >= collection_->Count()) return;
  collection_->Items(index)->SetIndex(to);
  Changed(to);
}

void TCollectionEditorDlg::btMoveUpClick(rtl::TObject*) { MoveSelected(-1); }
void TCollectionEditorDlg::btMoveDownClick(rtl::TObject*) { MoveSelected(1); }

void ShowCollectionEditorDialog(IDesigner* designer, const rtl::TClass& editorClass, rtl::TComponent* component,
                                rtl::TCollection* collection, const std::string& propertyName,
                                TColOptions options) {
  if (!editorClass.InheritsFrom(TCollectionEditor::StaticClass()))
    throw rtl::EInvalidCast(editorClass.ClassName() + " is not a collection editor class");
  auto dialog = std::make_unique<TCollectionEditorDlg>(nullptr);
  dialog->Load(designer, component, collection, propertyName, options);
  dialog->ShowModal();
}

}  // namespace designide
