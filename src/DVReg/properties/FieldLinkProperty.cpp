#include "DVReg/properties/FieldLinkProperty.h"

#include "db/Field.h"
#include "dralvo/Consts.h"
#include "rtl/objects/ClassBuilder.h"

namespace dv {

using dralvo::TDVTable;

const rtl::TClass& TDVTableFieldLinkProperty::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TDVTableFieldLinkProperty>("TDVTableFieldLinkProperty",
                                                   &designide::TFieldLinkProperty::StaticClass())
          .Creatable()
          .Build();
  return cls;
}

TDVTable& TDVTableFieldLinkProperty::Table() const {
  if (!FTable) throw rtl::EComponentError("The field link of " + GetName() + " is only reachable while it is edited");
  return *FTable;
}

void TDVTableFieldLinkProperty::Edit() {
  TDVTable* T = rtl::As<TDVTable>(GetDataSet());
  FTable = std::make_unique<TDVTable>(nullptr);
  try {
    FTable->SetSessionName(T->SessionName());
    FTable->SetDatabaseName(T->DatabaseName());
    FTable->SetTableName(T->TableName());
    if (!T->IndexFieldNames().empty())
      FTable->SetIndexFieldNames(T->IndexFieldNames());
    else
      FTable->SetIndexName(T->IndexName());
    FTable->SetMasterFields(T->MasterFields());
    FTable->Open();
    designide::TFieldLinkProperty::Edit();
    if (Changed()) {
      T->SetMasterFields(FTable->MasterFields());
      if (!FTable->IndexFieldNames().empty())
        T->SetIndexFieldNames(FTable->IndexFieldNames());
      else
        T->SetIndexName(FTable->IndexName());
    }
  } catch (...) {
    FTable.reset();
    throw;
  }
  FTable.reset();
}

void TDVTableFieldLinkProperty::GetFieldNamesForIndex(rtl::TStrings* List) {
  for (int i = 0; i < Table().GetIndexFieldCount(); ++i) List->Add(Table().GetIndexField(i)->FieldName());
}

bool TDVTableFieldLinkProperty::GetIndexBased() { return !Table().PSIsSQLBased(); }

db::TIndexDefs* TDVTableFieldLinkProperty::GetIndexDefs() { return Table().IndexDefs(); }

std::string TDVTableFieldLinkProperty::GetIndexFieldNames() { return Table().IndexFieldNames(); }

std::string TDVTableFieldLinkProperty::GetIndexName() { return Table().IndexName(); }

std::string TDVTableFieldLinkProperty::GetMasterFields() { return Table().MasterFields(); }

void TDVTableFieldLinkProperty::SetIndexFieldNames(const std::string& Value) { Table().SetIndexFieldNames(Value); }

void TDVTableFieldLinkProperty::SetIndexName(const std::string& Value) {
  Table().SetIndexName(Value == dralvo::SPrimary ? std::string() : Value);
}

void TDVTableFieldLinkProperty::SetMasterFields(const std::string& Value) { Table().SetMasterFields(Value); }

}  // namespace dv
