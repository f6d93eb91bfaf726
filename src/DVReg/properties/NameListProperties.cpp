#include "DVReg/properties/NameListProperties.h"

#include <memory>

#include "DVReg/settings/DesignSettings.h"
#include "DVReg/editors/EditorFunctions.h"
#include "dralvo/Consts.h"
#include "dralvo/Database.h"
#include "dralvo-dialogs/Dlgs.h"
#include "dralvo/Script.h"
#include "dralvo/Session.h"
#include "dralvo/StoredProc.h"
#include "dralvo/Table.h"
#include "rtl/objects/ClassBuilder.h"
#include "rtl/system/SysUtils.h"

namespace dv {

using namespace designide;
using namespace dralvo;

namespace {
template <class T>
rtl::TClass Editor(const char* name, const rtl::TClass& parent) {
  return rtl::ClassBuilder<T>(name, &parent).Creatable().Build();
}
}  // namespace

const rtl::TClass& TDVStringProperty::StaticClass() {
  // Abstract: registered for nothing and never created.
  static const rtl::TClass cls =
      rtl::ClassBuilder<TDVStringProperty>("TDVStringProperty", &TStringProperty::StaticClass()).Build();
  return cls;
}
const rtl::TClass& TDVDatabaseProperty::StaticClass() {
  static const rtl::TClass cls = Editor<TDVDatabaseProperty>("TDVDatabaseProperty", TDVStringProperty::StaticClass());
  return cls;
}
const rtl::TClass& TDVSessionNameProperty::StaticClass() {
  static const rtl::TClass cls =
      Editor<TDVSessionNameProperty>("TDVSessionNameProperty", TDVStringProperty::StaticClass());
  return cls;
}
const rtl::TClass& TDVDatabaseNameProperty::StaticClass() {
  static const rtl::TClass cls =
      Editor<TDVDatabaseNameProperty>("TDVDatabaseNameProperty", TDVStringProperty::StaticClass());
  return cls;
}
const rtl::TClass& TDVStoredProcNameProperty::StaticClass() {
  static const rtl::TClass cls =
      Editor<TDVStoredProcNameProperty>("TDVStoredProcNameProperty", TDVStringProperty::StaticClass());
  return cls;
}
const rtl::TClass& TDVTableNameProperty::StaticClass() {
  static const rtl::TClass cls = Editor<TDVTableNameProperty>("TDVTableNameProperty", TDVStringProperty::StaticClass());
  return cls;
}
const rtl::TClass& TDVDatabaseConnectedProperty::StaticClass() {
  static const rtl::TClass cls =
      Editor<TDVDatabaseConnectedProperty>("TDVDatabaseConnectedProperty", TEnumProperty::StaticClass());
  return cls;
}

TPropertyAttributes TDVStringProperty::GetAttributes() { return paValueList | paMultiSelect | paSortList; }

void TDVStringProperty::GetValues(const TGetStrProc& Proc) {
  auto list = std::make_unique<rtl::TStringList>();
  GetValueList(list.get());
  for (int i = 0; i < list->Count(); ++i) Proc(list->Get(i));
}

void TDVStringProperty::GetValueList(rtl::TStrings*) {
  throw rtl::EAbstractError("Abstract error: " + ClassName() + ".GetValueList");
}

void TDVDatabaseProperty::Edit() {
  const std::string current = GetValue();
  const std::string chosen =
      InputRemoteDatabaseValue(rtl::As<TDVDatabase>(GetComponent(0))->ServerType(), current);
  if (!chosen.empty()) SetValue(chosen);
}

TPropertyAttributes TDVDatabaseProperty::GetAttributes() { return paValueList | paDialog; }

void TDVDatabaseProperty::SetValue(const std::string& Value) {
  if (Value == HistoryListMarker) return;
  TStringProperty::SetValue(Value);
}

void TDVDatabaseProperty::GetValueList(rtl::TStrings* List) {
  if (DesignSettings == nullptr) throw rtl::EComponentError("The design settings are not loaded");
  rtl::TStrings* recent = DesignSettings->RecentDatabases();
  if (recent->Count() == 0)
    List->Add(HistoryListMarker);
  else
    List->Assign(*recent);
}

void TDVSessionNameProperty::GetValueList(rtl::TStrings* List) {
  TDVSessionList& sessions = Sessions();
  for (int i = 0; i < sessions.GetCount(); ++i) List->Add(sessions.GetSession(i)->SessionName());
}

void TDVDatabaseNameProperty::GetValueList(rtl::TStrings* List) {
  rtl::TPersistent* component = GetComponent(0);
  if (rtl::Is<TDVScript>(component))
    static_cast<TDVScript*>(component)->GetDBSession()->GetDatabaseNames(List);
  else
    rtl::As<TDVDataSet>(component)->GetDBSession()->GetDatabaseNames(List);
}

void TDVStoredProcNameProperty::GetValueList(rtl::TStrings* List) {
  TDVStoredProc* proc = rtl::As<TDVStoredProc>(GetComponent(0));
  proc->GetDBSession()->GetStoredProcNames(proc->DatabaseName(), List);
}

bool TDVTableNameProperty::AutoFill() { return IsDataSetDatabaseConnected(rtl::As<TDVDataSet>(GetComponent(0))); }

void TDVTableNameProperty::GetValueList(rtl::TStrings* AList) {
  TDVTable* table = rtl::As<TDVTable>(GetComponent(0));
  table->GetDBSession()->GetTableNames(table->DatabaseName(), "", false, AList);
}

void TDVDatabaseConnectedProperty::SetValue(const std::string& Value) {
  const std::string Before = GetValue();
  TEnumProperty::SetValue(Value);
  if (rtl::CompareText(Value, STextTrue) != 0) return;
  if (DesignSettings == nullptr) throw rtl::EComponentError("The design settings are not loaded");
  // The history is written at once, so that a settings file that cannot
  // take it is reported here; the change is then taken back as a whole.
  rtl::TStringList History;
  History.Assign(*DesignSettings->RecentDatabases());
  try {
    DesignSettings->AddLastUsedDatabase(rtl::As<TDVDatabase>(GetComponent(0))->RemoteDatabase());
    DesignSettings->SaveRecentDatabases();
  } catch (...) {
    DesignSettings->RecentDatabases()->Assign(History);
    TEnumProperty::SetValue(Before);
    throw;
  }
}

}  // namespace dv
