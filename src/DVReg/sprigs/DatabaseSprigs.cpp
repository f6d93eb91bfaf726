#include "DVReg/sprigs/DatabaseSprigs.h"

#include "DVReg/sprigs/SessionSprigs.h"
#include "DVReg/sprigs/SprigClass.h"
#include "DVReg/sprigs/SprigUndo.h"
#include "dralvo/Database.h"
#include "dralvo/Secrets.h"
#include "dralvo/ServerTypes.h"
#include "dralvo/Session.h"

namespace dv {

namespace {

dralvo::TDVDatabase* DatabaseOf(designide::TSprig* Node) { return rtl::As<dralvo::TDVDatabase>(Node->Item()); }

// A database may go into a named session or the default one.
bool IsSessionTarget(designide::TSprig* Target, bool AllowUnnamed) {
  if (rtl::Is<TDVDefaultSessionSprig>(Target)) return true;
  if (!rtl::Is<TDVSessionSprig>(Target)) return false;
  return AllowUnnamed || !rtl::As<dralvo::TDVSession>(Target->Item())->SessionName().empty();
}

// The drop of a database node onto a session node: the session name
// changes through `Assign`, then the node's children (datasets) take the
// new session through their Reparent. Should any of that raise, every
// name under the node goes back and the exception propagates.
template <class TAssign>
bool DropDatabaseNode(designide::TSprig* Node, designide::TSprig* Target, const std::string& Current,
                      TAssign Assign) {
  TDVPlacementUndo Undo(Node);
  std::string NewName;
  const bool Result = DropOntoSession(Target, Current, NewName);
  if (Result) Assign(NewName);
  try {
    Node->ReparentChildren();
  } catch (...) {
    Undo.Restore();
    throw;
  }
  return Result;
}

}  // namespace

const rtl::TClass& TDVDatabaseSprig::StaticClass() {
  return SprigClass<TDVDatabaseSprig>("TDVDatabaseSprig", designide::TComponentSprig::StaticClass());
}
const rtl::TClass& TDVImpliedDatabaseSprig::StaticClass() {
  return SprigClass<TDVImpliedDatabaseSprig>("TDVImpliedDatabaseSprig", designide::TComponentSprig::StaticClass());
}

std::string ImpliedDatabaseNodeName(const std::string& DatabaseName) { return "<ImpliedDatabase>." + DatabaseName; }

// --- TDVDatabaseSprig

bool TDVDatabaseSprig::AnyProblems() { return DatabaseOf(this)->DatabaseName().empty(); }

std::string TDVDatabaseSprig::Name() { return DatabaseOf(this)->DatabaseName(); }

std::string TDVDatabaseSprig::Caption() {
  const dralvo::TDVDatabase* Database = DatabaseOf(this);
  // A password in a connection URL is never shown, a caption included.
  const std::string Remote =
      Database->RemoteDatabase().empty() ? "<UnknownDatabase>" : dralvo::MaskPasswords(Database->RemoteDatabase());
  return CaptionFor(dralvo::GetServerTypeName(Database->ServerType()) + " | " + Remote, UniqueName(),
                    Database->ClassName());
}

bool TDVDatabaseSprig::DragOverTo(designide::TSprig* AItem) { return IsSessionTarget(AItem, false); }

bool TDVDatabaseSprig::PaletteOverTo(designide::TSprig* AParent, const rtl::TClass*) {
  return IsSessionTarget(AParent, false);
}

bool TDVDatabaseSprig::DragDropTo(designide::TSprig* AItem) {
  dralvo::TDVDatabase* Database = DatabaseOf(this);
  return DropDatabaseNode(this, AItem, Database->SessionName(),
                          [Database](const std::string& Name) { Database->SetSessionName(Name); });
}

void TDVDatabaseSprig::FigureParent() {
  if (designide::TSprig* Session = FindSessionNode(this, DatabaseOf(this)->SessionName())) Session->Add(this);
}

// --- TDVImpliedDatabaseSprig

TDVImpliedDatabaseSprig::TDVImpliedDatabaseSprig(rtl::TPersistent* AItem) : TComponentSprig(AItem) {}

void TDVImpliedDatabaseSprig::SetNames(const std::string& DatabaseName, const std::string& SessionName) {
  FDatabaseName = DatabaseName;
  FSessionName = SessionName;
}

std::string TDVImpliedDatabaseSprig::UniqueName() { return ImpliedDatabaseNodeName(FDatabaseName); }

bool TDVImpliedDatabaseSprig::Transient() { return true; }

bool TDVImpliedDatabaseSprig::AnyProblems() { return FDatabaseName.empty(); }

const rtl::TClass* TDVImpliedDatabaseSprig::ItemClass() { return &dralvo::TDVDatabase::StaticClass(); }

std::string TDVImpliedDatabaseSprig::Caption() { return CaptionFor(FDatabaseName, "Unknown", ""); }

bool TDVImpliedDatabaseSprig::DragOverTo(designide::TSprig* AItem) { return IsSessionTarget(AItem, true); }

bool TDVImpliedDatabaseSprig::DragDropTo(designide::TSprig* AItem) {
  const std::string Before = FSessionName;
  try {
    return DropDatabaseNode(this, AItem, FSessionName, [this](const std::string& Name) { FSessionName = Name; });
  } catch (...) {
    FSessionName = Before;
    throw;
  }
}

void TDVImpliedDatabaseSprig::FigureParent() {
  if (designide::TSprig* Session = FindSessionNode(this, FSessionName)) Session->Add(this);
}

}  // namespace dv
