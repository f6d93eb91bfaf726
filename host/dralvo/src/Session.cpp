#include "dralvo/Session.h"

#include <algorithm>

#include "Errors.h"
#include "dralvo/Consts.h"
#include "dralvo/Database.h"
#include "drivers/Driver.h"
#include "rtl/objects/ClassBuilder.h"
#include "rtl/text/Strings.h"

namespace dralvo {

namespace {
TDVSessionList* g_sessions = nullptr;
TDVSession* g_defaultSession = nullptr;
constexpr const char* kDefaultSessionName = "Default";

void FillList(rtl::TStrings* list, const std::vector<std::string>& names) {
  list->BeginUpdate();
  list->Clear();
  for (const std::string& n : names) list->Add(n);
  list->EndUpdate();
}
}  // namespace

TDVSessionList& Sessions() {
  if (g_sessions == nullptr) throw rtl::EDatabaseError(SRuntimeNotInitialized);
  return *g_sessions;
}

TDVSession* Session() {
  Sessions();
  return g_defaultSession;
}

void CreateSessions() {
  if (g_sessions != nullptr) return;
  g_sessions = new TDVSessionList();
  g_defaultSession = new TDVSession(nullptr);
  g_defaultSession->SetSessionName(kDefaultSessionName);
}

void FreeSessions() {
  delete g_defaultSession;
  g_defaultSession = nullptr;
  delete g_sessions;
  g_sessions = nullptr;
}

bool SessionsCreated() { return g_sessions != nullptr; }

// ---- TDVSessionList

TDVSession* TDVSessionList::GetSession(int index) const {
  if (index < 0 || index >= GetCount())
    throw rtl::EListError("Session index out of bounds (" + std::to_string(index) + ")");
  return sessions_[static_cast<size_t>(index)];
}

TDVSession* TDVSessionList::FindSession(const std::string& name) const {
  if (name.empty()) return g_defaultSession;
  for (TDVSession* s : sessions_)
    if (rtl::AnsiSameText(s->SessionName(), name)) return s;
  return nullptr;
}

TDVSession* TDVSessionList::GetSessionByName(const std::string& name) const {
  TDVSession* s = FindSession(name);
  if (s == nullptr) RaiseDatabaseError(SSessionNotFound, {name});
  return s;
}

void TDVSessionList::AddSession(TDVSession* session) { sessions_.push_back(session); }
void TDVSessionList::RemoveSession(TDVSession* session) { std::erase(sessions_, session); }
void TDVSessionList::AddDatabase(TDVDatabase* database) { databases_.push_back(database); }
void TDVSessionList::RemoveDatabase(TDVDatabase* database) { std::erase(databases_, database); }

// ---- TDVSession

const rtl::TClass& TDVSession::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TDVSession>("TDVSession", &rtl::TComponent::StaticClass())
          .Creatable()
          .Str("SessionName", &TDVSession::SessionName, &TDVSession::SetSessionName)
          .Bool("KeepConnections", &TDVSession::KeepConnections, &TDVSession::SetKeepConnections, true)
          .Build();
  return cls;
}

TDVSession::TDVSession(rtl::TComponent* owner) : TComponent(owner) { Sessions().AddSession(this); }

TDVSession::~TDVSession() {
  CloseDatabases();
  if (g_sessions != nullptr) g_sessions->RemoveSession(this);
}

void TDVSession::SetSessionName(const std::string& name) {
  if (name == sessionName_) return;
  if (!name.empty())
    for (int i = 0; i < Sessions().GetCount(); ++i) {
      TDVSession* other = Sessions().GetSession(i);
      if (other != this && rtl::AnsiSameText(other->SessionName(), name)) RaiseDatabaseError(SDuplicateSessionName, {name});
    }
  CloseDatabases();
  sessionName_ = name;
}

std::vector<TDVDatabase*> TDVSession::Databases() const {
  std::vector<TDVDatabase*> out;
  if (g_sessions == nullptr) return out;
  for (TDVDatabase* d : g_sessions->AllDatabases())
    if (g_sessions->FindSession(d->SessionName()) == this) out.push_back(d);
  return out;
}

TDVDatabase* TDVSession::FindDatabase(const std::string& name) const {
  if (name.empty()) return nullptr;
  for (TDVDatabase* d : Databases())
    if (rtl::AnsiSameText(d->DatabaseName(), name)) return d;
  return nullptr;
}

TDVDatabase* TDVSession::DatabaseByName(const std::string& name) const {
  if (name.empty()) throw rtl::EDatabaseError(SDatabaseNameMissing);
  TDVDatabase* d = FindDatabase(name);
  if (d == nullptr) RaiseDatabaseError(SDatabaseNotFound, {name});
  return d;
}

void TDVSession::GetDatabaseNames(rtl::TStrings* list) const {
  std::vector<std::string> names;
  for (TDVDatabase* d : Databases())
    if (!d->DatabaseName().empty()) names.push_back(d->DatabaseName());
  std::sort(names.begin(), names.end(), [](const auto& a, const auto& b) { return rtl::AnsiCompareText(a, b) < 0; });
  FillList(list, names);
}

void TDVSession::GetTableNames(const std::string& database, const std::string& pattern, bool systemTables,
                               rtl::TStrings* list) const {
  TDVDatabase* d = DatabaseByName(database);
  d->Open();
  std::vector<std::string> names;
  d->Connection().GetTableNames(pattern, systemTables, names);
  FillList(list, names);
}

void TDVSession::GetStoredProcNames(const std::string& database, rtl::TStrings* list) const {
  TDVDatabase* d = DatabaseByName(database);
  d->Open();
  std::vector<std::string> names;
  d->Connection().GetStoredProcNames(names);
  FillList(list, names);
}

void TDVSession::GetFieldNames(const std::string& database, const std::string& table, rtl::TStrings* list) const {
  TDVDatabase* d = DatabaseByName(database);
  d->Open();
  std::vector<std::string> names;
  d->Connection().FindFieldNames(table, names, nullptr);
  FillList(list, names);
}

void TDVSession::CloseDatabases() {
  for (TDVDatabase* d : Databases()) d->Close();
}

}  // namespace dralvo
