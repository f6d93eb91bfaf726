#include "dralvo/Session.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "Errors.h"
#include "dralvo/Consts.h"
#include "dralvo/Database.h"
#include "drivers/Driver.h"
#include "rtl/objects/ClassBuilder.h"
#include "rtl/system/SysUtils.h"
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
  const TDVSessionEntry* entry = names_.Find(rtl::AnsiFoldCase(name));
  return entry != nullptr ? entry->Session : nullptr;
}

TDVSession* TDVSessionList::GetSessionByName(const std::string& name) const {
  TDVSession* s = FindSession(name);
  if (s == nullptr) RaiseDatabaseError(SSessionNotFound, {name});
  return s;
}

void TDVSessionList::AddSession(TDVSession* session) { sessions_.push_back(session); }

TDVSessionEntry& TDVSessionList::EntryOf(const std::string& key) {
  if (TDVSessionEntry* entry = names_.Find(key)) return *entry;
  auto entry = std::make_unique<TDVSessionEntry>();
  entry->Key = key;
  entry->Index = entries_.size();
  names_.Insert(entry.get());
  entries_.push_back(std::move(entry));
  return *entries_.back();
}

void TDVSessionList::EraseIfUnused(TDVSessionEntry& entry) {
  if (&entry == unnamed_ || entry.Session != nullptr || !entry.Databases.empty()) return;
  names_.Erase(entry.Key, &entry);
  // The last entry takes its place.
  const size_t index = entry.Index;
  std::swap(entries_[index], entries_.back());
  entries_[index]->Index = index;
  entries_.pop_back();
}

void TDVSessionList::RemoveSession(TDVSession* session) {
  if (TDVSessionEntry* entry = std::exchange(session->listEntry_, nullptr)) {
    entry->Session = nullptr;
    EraseIfUnused(*entry);
  }
  // Owners free their components last first: search from the end.
  auto it = std::find(sessions_.rbegin(), sessions_.rend(), session);
  if (it != sessions_.rend()) sessions_.erase(std::next(it).base());
}

void TDVSessionList::RenameSession(TDVSession* session, const std::string& name) {
  // One look-up files the new name and finds a session that has it already.
  std::string key = rtl::AnsiFoldCase(name);
  TDVSessionEntry* entry = nullptr;
  if (!name.empty()) {
    entry = &EntryOf(key);
    if (entry->Session != nullptr && entry->Session != session) RaiseDatabaseError(SDuplicateSessionName, {name});
  }
  // A session without a name has no databases, unless it is the default one.
  if (session->listEntry_ != nullptr || session == g_defaultSession) session->CloseDatabases();
  if (TDVSessionEntry* old = std::exchange(session->listEntry_, entry); old != nullptr && old != entry) {
    old->Session = nullptr;
    EraseIfUnused(*old);
  }
  if (entry != nullptr) entry->Session = session;
  session->sessionName_ = name;
}

void TDVSessionList::File(TDVDatabase* database) {
  const std::string& name = database->SessionName();
  database->listEntry_ = name.empty() ? unnamed_ : &EntryOf(rtl::AnsiFoldCase(name));
  TGroup& group = database->listEntry_->Databases;
  // A new database goes last; one that moves keeps its place in creation order.
  auto at = group.end();
  while (at != group.begin() && (*(at - 1))->listOrder_ > database->listOrder_) --at;
  group.insert(at, database);
}

void TDVSessionList::Unfile(TDVDatabase* database) {
  TDVSessionEntry* entry = std::exchange(database->listEntry_, nullptr);
  if (entry == nullptr) return;
  TGroup& group = entry->Databases;
  // Owners free their components last first: search from the end.
  auto it = std::find(group.rbegin(), group.rend(), database);
  if (it != group.rend()) group.erase(std::next(it).base());
  EraseIfUnused(*entry);
}

void TDVSessionList::AddDatabase(TDVDatabase* database) {
  database->listOrder_ = nextOrder_++;
  File(database);
  ++databaseCount_;
}

void TDVSessionList::RemoveDatabase(TDVDatabase* database) {
  Unfile(database);
  --databaseCount_;
}

void TDVSessionList::DatabaseMoved(TDVDatabase* database) {
  Unfile(database);
  File(database);
}

bool TDVSessionList::Earlier(const TDVDatabase* a, const TDVDatabase* b) { return a->listOrder_ < b->listOrder_; }

std::vector<TDVDatabase*> TDVSessionList::AllDatabases() const {
  std::vector<TDVDatabase*> out;
  out.reserve(databaseCount_);
  for (const auto& entry : entries_) out.insert(out.end(), entry->Databases.begin(), entry->Databases.end());
  std::sort(out.begin(), out.end(), Earlier);
  return out;
}

std::vector<TDVDatabase*> TDVSessionList::DatabasesOf(const TDVSession& session) const {
  // A database belongs to the session its SessionName finds: the default
  // session takes those with no session name as well as those naming it.
  std::vector<TDVDatabase*> out;
  if (session.listEntry_ != nullptr) out = session.listEntry_->Databases;
  if (&session != g_defaultSession) return out;
  const size_t named = out.size();
  out.insert(out.end(), unnamed_->Databases.begin(), unnamed_->Databases.end());
  if (named == 0 || named == out.size()) return out;
  std::inplace_merge(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(named), out.end(), Earlier);
  return out;
}

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
  Sessions().RenameSession(this, name);
}

std::vector<TDVDatabase*> TDVSession::Databases() const {
  if (g_sessions == nullptr) return {};
  return g_sessions->DatabasesOf(*this);
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
