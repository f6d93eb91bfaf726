#include "designide-dialogs/FieldsEditorDlg.h"

#include <cctype>
#include <memory>

#include "db/Field.h"
#include "designide/DSDesign.h"
#include "rtl/objects/ClassBuilder.h"
#include "rtl/system/Exceptions.h"
#include "rtl/system/SysUtils.h"
#include "vcl/Automation.h"

namespace designide {

const rtl::TClass& TFieldsEditorDlg::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TFieldsEditorDlg>("TFieldsEditorDlg", &vcl::TForm::StaticClass()).Build();
  return cls;
}

TFieldsEditorDlg::TFieldsEditorDlg(rtl::TComponent* owner) : vcl::TForm(owner) { CreateControls(); }

void TFieldsEditorDlg::Load(IDesigner* designer, db::TDataSet* dataSet) {
  designer_ = designer;
  dataSet_ = dataSet;
  SetCaption("Fields of " + (dataSet->Name().empty() ? dataSet->ClassName() : dataSet->Name()));
  try {
    dataSet->UpdateFieldDefs();
    lblStatus->SetCaption("");
  } catch (const std::exception& e) {
    lblStatus->SetCaption(e.what());
    vcl::FormErrorShown(*this, e.what());
  }
  FillLists();
}

void TFieldsEditorDlg::FillLists() {
  rtl::TStrings* fields = lbFields->Items();
  fields->Clear();
  for (const db::TField* f : dataSet_->PersistentFields()) fields->Add(f->FieldName());
  rtl::TStrings* available = lbAvailable->Items();
  available->Clear();
  const db::TFieldDefs* defs = dataSet_->FieldDefs();
  for (int i = 0; i < defs->Count(); ++i)
    if (fields->IndexOf(defs->Items(i)->Name()) < 0) available->Add(defs->Items(i)->Name());
  UpdateButtons();
}

void TFieldsEditorDlg::UpdateButtons() {
  btAdd->SetEnabled(lbAvailable->SelCount() > 0);
  btAddAll->SetEnabled(lbAvailable->Items()->Count() > 0);
  btDelete->SetEnabled(lbFields->SelCount() > 0);
}

void TFieldsEditorDlg::ListClick(rtl::TObject*) { UpdateButtons(); }

std::string TFieldsEditorDlg::NewFieldName(rtl::TComponent* owner, const std::string& column) const {
  std::string base = dataSet_->Name();
  for (char c : column) base += std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_' ? c : '_';
  if (!rtl::IsValidIdent(base)) base = "Field" + base;
  std::string name = base;
  for (int n = 1; owner->FindComponent(name) != nullptr; ++n) name = base + std::to_string(n);
  return name;
}

void TFieldsEditorDlg::AddFields(const std::vector<std::string>& columns) {
  if (columns.empty()) return;
  rtl::TComponent* owner = designer_ != nullptr ? designer_->GetRoot() : dataSet_->Owner();
  if (owner == nullptr) throw rtl::EComponentError(dataSet_->Name() + " has no module to own its fields");
  const bool wasActive = dataSet_->Active();
  dataSet_->Close();
  for (const std::string& column : columns) {
    const db::TFieldDef* def = dataSet_->FieldDefs()->Find(column);
    auto* field = new db::TField(owner);
    field->SetName(NewFieldName(owner, column));
    field->SetFieldName(def->Name());
    field->SetDataType(def->DataType());
    field->SetSize(def->Size());
    field->SetDataSet(dataSet_);
  }
  if (wasActive) dataSet_->Open();
  FillLists();
  if (designer_ != nullptr) designer_->Modified();
}

void TFieldsEditorDlg::btAddClick(rtl::TObject*) {
  std::vector<std::string> columns;
  for (int i : lbAvailable->SelectedIndexes()) columns.push_back(lbAvailable->Items()->Get(i));
  AddFields(columns);
}

void TFieldsEditorDlg::btAddAllClick(rtl::TObject*) { AddFields(lbAvailable->Items()->ToVector()); }

void TFieldsEditorDlg::btDeleteClick(rtl::TObject*) {
  std::vector<db::TField*> chosen;
  for (int i : lbFields->SelectedIndexes()) chosen.push_back(dataSet_->PersistentFields()[static_cast<size_t>(i)]);
  if (chosen.empty()) return;
  const bool wasActive = dataSet_->Active();
  dataSet_->Close();
  for (db::TField* field : chosen) delete field;
  if (wasActive) dataSet_->Open();
  FillLists();
  if (designer_ != nullptr) designer_->Modified();
}

void ShowFieldsEditorDialog(IDesigner* designer, db::TDataSet* dataSet, const rtl::TClass& designerClass) {
  if (!designerClass.InheritsFrom(TDSDesigner::StaticClass()))
    throw rtl::EInvalidCast(designerClass.ClassName() + " is not a fields editor designer class");
  auto dialog = std::make_unique<TFieldsEditorDlg>(nullptr);
  dialog->Load(designer, dataSet);
  dialog->ShowModal();
}

}  // namespace designide
