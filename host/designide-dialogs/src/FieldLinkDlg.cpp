#include "designide-dialogs/FieldLinkDlg.h"

#include <algorithm>
#include <memory>

#include "db/IndexDefs.h"
#include "rtl/objects/ClassBuilder.h"
#include "rtl/system/SysUtils.h"
#include "vcl/Dialogs.h"

namespace designide {

const rtl::TClass& TFieldLinkDlg::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TFieldLinkDlg>("TFieldLinkDlg", &vcl::TForm::StaticClass()).Creatable().Build();
  return cls;
}

TFieldLinkDlg::TFieldLinkDlg(rtl::TComponent* owner) : vcl::TForm(owner) { CreateControls(); }

std::string TFieldLinkDlg::JoinText(const std::pair<std::string, std::string>& join) {
  return join.first + " -> " + join.second;
}

std::string TFieldLinkDlg::CurrentLink() const {
  return property_->GetIndexName() + "\n" + property_->GetIndexFieldNames() + "\n" + property_->GetMasterFields();
}

void TFieldLinkDlg::Load(TFieldLinkProperty& property, const std::vector<std::string>& masterFields) {
  property_ = &property;
  const bool indexBased = property.GetIndexBased();
  cbIndexes->Items()->Clear();
  if (indexBased) {
    const db::TIndexDefs* defs = property.GetIndexDefs();
    const db::TIndexDef* current = nullptr;
    if (!property.GetIndexFieldNames().empty())
      current = defs->FindIndexForFields(property.GetIndexFieldNames());
    else if (property.GetIndexName().empty())
      current = defs->GetPrimary();
    else if (int i = defs->IndexOf(property.GetIndexName()); i >= 0)
      current = defs->Items(i);
    for (int i = 0; i < defs->Count(); ++i)
      if (!defs->Items(i)->Name().empty()) cbIndexes->Items()->Add(defs->Items(i)->Name());
    if (current != nullptr) cbIndexes->SetItemIndex(cbIndexes->Items()->IndexOf(current->Name()));
  }
  cbIndexes->SetEnabled(indexBased);
  lblIndexes->SetEnabled(indexBased);

  rtl::TStringList fields;
  property.GetFieldNamesForIndex(&fields);
  indexFields_ = fields.ToVector();
  const std::vector<std::string> masters = db::SplitFieldNames(property.GetMasterFields());
  joins_.clear();
  for (size_t i = 0; i < masters.size() && i < indexFields_.size(); ++i) joins_.emplace_back(indexFields_[i], masters[i]);
  lbMaster->Items()->Clear();
  for (const std::string& m : masterFields) lbMaster->Items()->Add(m);
  loaded_ = CurrentLink();
  FillDetail();
  FillJoined();
}

void TFieldLinkDlg::FillDetail() {
  lbDetail->Items()->Clear();
  for (const std::string& f : indexFields_)
    if (std::none_of(joins_.begin(), joins_.end(), [&](const auto& j) { return rtl::SameText(j.first, f); }))
      lbDetail->Items()->Add(f);
  UpdateButtons();
}

void TFieldLinkDlg::FillJoined() {
  lbJoined->Items()->Clear();
  for (const auto& j : joins_) lbJoined->Items()->Add(JoinText(j));
  UpdateButtons();
}

void TFieldLinkDlg::UpdateButtons() {
  btAdd->SetEnabled(lbDetail->ItemIndex() >= 0 && lbMaster->ItemIndex() >= 0);
  btDelete->SetEnabled(lbJoined->ItemIndex() >= 0);
  btClear->SetEnabled(!joins_.empty());
}

void TFieldLinkDlg::cbIndexesChange(rtl::TObject*) {
  const int index = cbIndexes->ItemIndex();
  if (index < 0) return;
  property_->SetIndexName(cbIndexes->Items()->Get(index));
  rtl::TStringList fields;
  property_->GetFieldNamesForIndex(&fields);
  indexFields_ = fields.ToVector();
  joins_.clear();
  FillDetail();
  FillJoined();
}

void TFieldLinkDlg::ListClick(rtl::TObject*) { UpdateButtons(); }

void TFieldLinkDlg::btAddClick(rtl::TObject*) {
  const int detail = lbDetail->ItemIndex();
  const int master = lbMaster->ItemIndex();
  if (detail < 0 || master < 0) return;
  joins_.emplace_back(lbDetail->Items()->Get(detail), lbMaster->Items()->Get(master));
  FillDetail();
  FillJoined();
}

void TFieldLinkDlg::btDeleteClick(rtl::TObject*) {
  const int index = lbJoined->ItemIndex();
  if (index < 0 || index >= static_cast<int>(joins_.size())) return;
  joins_.erase(joins_.begin() + index);
  FillDetail();
  FillJoined();
}

void TFieldLinkDlg::btClearClick(rtl::TObject*) {
  joins_.clear();
  FillDetail();
  FillJoined();
}

bool TFieldLinkDlg::OrderedJoins(std::vector<std::pair<std::string, std::string>>& ordered) const {
  ordered.clear();
  for (size_t i = 0; i < joins_.size(); ++i) {
    if (i >= indexFields_.size()) return false;
    auto it = std::find_if(joins_.begin(), joins_.end(),
                           [&](const auto& j) { return rtl::SameText(j.first, indexFields_[i]); });
    if (it == joins_.end()) return false;
    ordered.push_back(*it);
  }
  return true;
}

void TFieldLinkDlg::FormCloseQuery(rtl::TObject*, bool& CanClose) {
  std::vector<std::pair<std::string, std::string>> ordered;
  if (ModalResult() != vcl::mrOk || OrderedJoins(ordered)) return;
  vcl::MessageDlg("The joined detail fields must be the first fields of the index, in its order", vcl::TMsgDlgType::mtError,
                  vcl::mbOK);
  CanClose = false;
}

bool TFieldLinkDlg::Store() {
  std::vector<std::pair<std::string, std::string>> ordered;
  if (!OrderedJoins(ordered)) throw rtl::EComponentError("The joined detail fields are not the first fields of the index");
  std::string masters;
  for (const auto& j : ordered) masters += (masters.empty() ? "" : ";") + j.second;
  property_->SetMasterFields(masters);
  return CurrentLink() != loaded_;
}

bool ShowFieldLinkDesigner(TFieldLinkProperty& property) {
  db::TDataSet* master = property.GetMasterDataSet();
  if (master == nullptr)
  {
    const db::TDataSet* detail = property.GetDataSet();
    throw rtl::EComponentError((detail->Name().empty() ? detail->ClassName() : detail->Name()) +
                               " has no master dataset (MasterSource) to link to");
  }
  rtl::TStringList masterFields;
  master->GetFieldNames(&masterFields);
  if (masterFields.Count() == 0 && !master->Active()) {
    // A closed master without fields of its own is asked for them once.
    master->Open();
    master->GetFieldNames(&masterFields);
    master->Close();
  }
  auto dialog = std::make_unique<TFieldLinkDlg>(nullptr);
  dialog->Load(property, masterFields.ToVector());
  if (dialog->ShowModal() != vcl::mrOk) return false;
  return dialog->Store();
}

}  // namespace designide
