#include "DVReg/sprigs/DataSetSprigs.h"

#include <memory>

#include "DVReg/sprigs/DatabaseSprigs.h"
#include "DVReg/sprigs/SessionSprigs.h"
#include "DVReg/sprigs/SprigClass.h"
#include "DVReg/sprigs/SprigUndo.h"
#include "dralvo/Database.h"
#include "dralvo/Query.h"
#include "dralvo/StoredProc.h"
#include "dralvo/Table.h"
#include "dralvo/UpdateSQL.h"
#include "rtl/system/SysUtils.h"

namespace dv {

namespace {

dralvo::TDVDataSet* DataSetOf(designide::TSprig* Node) { return rtl::As<dralvo::TDVDataSet>(Node->Item()); }

// The database and session names of a database node or an implied one;
// false for any other node.
bool TargetNames(designide::TSprig* Target, std::string& DatabaseName, std::string& SessionName) {
  if (rtl::Is<TDVImpliedDatabaseSprig>(Target)) {
    auto* Implied = rtl::As<TDVImpliedDatabaseSprig>(Target);
    DatabaseName = Implied->DatabaseName();
    SessionName = Implied->SessionName();
    return true;
  }
  if (rtl::Is<TDVDatabaseSprig>(Target)) {
    auto* Database = rtl::As<dralvo::TDVDatabase>(Target->Item());
    DatabaseName = Database->DatabaseName();
    SessionName = Database->SessionName();
    return true;
  }
  return false;
}

bool IsDatabaseTarget(designide::TSprig* Target) {
  if (rtl::Is<TDVImpliedDatabaseSprig>(Target)) return true;
  return rtl::Is<TDVDatabaseSprig>(Target) && !rtl::As<dralvo::TDVDatabase>(Target->Item())->DatabaseName().empty();
}

}  // namespace

const rtl::TClass& TDVDataSetSprig::StaticClass() {
  return SprigClass<TDVDataSetSprig>("TDVDataSetSprig", designide::TDataSetSprig::StaticClass());
}
const rtl::TClass& TDVTableSprig::StaticClass() {
  return SprigClass<TDVTableSprig>("TDVTableSprig", TDVDataSetSprig::StaticClass());
}
const rtl::TClass& TDVQuerySprig::StaticClass() {
  return SprigClass<TDVQuerySprig>("TDVQuerySprig", TDVDataSetSprig::StaticClass());
}
const rtl::TClass& TDVStoredProcSprig::StaticClass() {
  return SprigClass<TDVStoredProcSprig>("TDVStoredProcSprig", TDVDataSetSprig::StaticClass());
}
const rtl::TClass& TDVUpdateSQLSprig::StaticClass() {
  return SprigClass<TDVUpdateSQLSprig>("TDVUpdateSQLSprig", designide::TComponentSprig::StaticClass());
}

// --- TDVDataSetSprig

bool TDVDataSetSprig::AnyProblems() { return TDataSetSprig::AnyProblems() || DataSetOf(this)->DatabaseName().empty(); }

bool TDVDataSetSprig::DragOverTo(designide::TSprig* AItem) { return IsDatabaseTarget(AItem); }

bool TDVDataSetSprig::PaletteOverTo(designide::TSprig* AParent, const rtl::TClass*) {
  return IsDatabaseTarget(AParent);
}

bool TDVDataSetSprig::DragDropTo(designide::TSprig* AItem) {
  std::string DatabaseName, SessionName;
  if (!TargetNames(AItem, DatabaseName, SessionName)) return false;
  dralvo::TDVDataSet* DataSet = DataSetOf(this);
  const bool Result = !rtl::AnsiSameText(DataSet->DatabaseName(), DatabaseName) ||
                      !rtl::AnsiSameText(DataSet->SessionName(), SessionName);
  if (Result) {
    // The database name first, then the session; a refusal of either leaves
    // both as they were.
    TDVPlacementUndo Undo(this);
    try {
      DataSet->SetDatabaseName(DatabaseName);
      DataSet->SetSessionName(SessionName);
    } catch (...) {
      Undo.Restore();
      throw;
    }
  }
  return Result;
}

void TDVDataSetSprig::Reparent() {
  dralvo::TDVDataSet* DataSet = DataSetOf(this);
  if (rtl::Is<TDVDatabaseSprig>(Parent()))
    DataSet->SetSessionName(rtl::As<dralvo::TDVDatabase>(Parent()->Item())->SessionName());
  else if (rtl::Is<TDVImpliedDatabaseSprig>(Parent()))
    DataSet->SetSessionName(rtl::As<TDVImpliedDatabaseSprig>(Parent())->SessionName());
}

void TDVDataSetSprig::FigureParent() {
  dralvo::TDVDataSet* DataSet = DataSetOf(this);
  designide::TSprig* Session = FindSessionNode(this, DataSet->SessionName());
  if (Session == nullptr) return;
  // A database's own name never stands for an implied node, nor the reverse.
  designide::TSprig* Database = Session->FindChild(DataSet->DatabaseName(), false);
  if (Database == nullptr) Database = Session->FindChild(ImpliedDatabaseNodeName(DataSet->DatabaseName()), true);
  if (Database == nullptr) {
    // Named before it is added: the session node files it under its name.
    auto Implied = std::make_unique<TDVImpliedDatabaseSprig>(nullptr);
    Implied->SetNames(DataSet->DatabaseName(), DataSet->SessionName());
    Database = Session->Add(std::move(Implied));
  }
  Database->Add(this);
}

// --- Tables, queries, stored procedures, update objects

bool TDVTableSprig::AnyProblems() {
  return TDVDataSetSprig::AnyProblems() || rtl::As<dralvo::TDVTable>(Item())->TableName().empty();
}

std::string TDVTableSprig::Caption() {
  return CaptionFor(rtl::As<dralvo::TDVTable>(Item())->TableName(), UniqueName(), "");
}

bool TDVQuerySprig::AnyProblems() {
  return TDVDataSetSprig::AnyProblems() || rtl::As<dralvo::TDVQuery>(Item())->SQL()->Count() == 0;
}

std::string TDVQuerySprig::Caption() {
  const rtl::TStrings* SQL = rtl::As<dralvo::TDVQuery>(Item())->SQL();
  std::string Text;
  if (SQL->Count() > 0) Text = SQL->Get(0) + (SQL->Count() > 1 ? "..." : "");
  return CaptionFor(Text, UniqueName(), "");
}

bool TDVStoredProcSprig::AnyProblems() {
  return TDVDataSetSprig::AnyProblems() || rtl::As<dralvo::TDVStoredProc>(Item())->StoredProcName().empty();
}

std::string TDVStoredProcSprig::Caption() {
  return CaptionFor(rtl::As<dralvo::TDVStoredProc>(Item())->StoredProcName(), UniqueName(), "");
}

bool TDVUpdateSQLSprig::AnyProblems() {
  const auto* Update = rtl::As<dralvo::TDVUpdateSQL>(Item());
  for (int Index = 1; Index <= 3; ++Index)
    if (Update->GetSQLIndex(Index)->Count() > 0) return false;
  return true;
}

}  // namespace dv
