#pragma once
// Sessions: named groups of databases. The default session and the session
// list are created by the library's unit initialization.
#include <cstdint>
#include <string>
#include <memory>
#include <vector>

#include "rtl/objects/Component.h"
#include "rtl/objects/NameTable.h"

namespace rtl {
class TStrings;
}

namespace dralvo {

class TDVDatabase;
class TDVSession;

// What a folded session name stands for in the session list: the session of
// that name, if any, and the databases that give it (in creation order).
// Sessions and databases keep a pointer to their entry, so that moving or
// removing one needs no look-up by name.
struct TDVSessionEntry {
  std::string Key;  // the folded session name
  TDVSession* Session = nullptr;
  std::vector<TDVDatabase*> Databases;
  size_t Index = 0;  // in the list's entries
  static const std::string& Get(const TDVSessionEntry& entry) { return entry.Key; }
};

class TDVSession : public rtl::TComponent {
  RTL_CLASS(TDVSession)
 public:
  explicit TDVSession(rtl::TComponent* owner);
  ~TDVSession() override;

  const std::string& SessionName() const { return sessionName_; }
  // Raises EDatabaseError when another session already has the name.
  void SetSessionName(const std::string& name);
  bool KeepConnections() const { return keepConnections_; }
  void SetKeepConnections(bool keep) { keepConnections_ = keep; }

  // The database of that DatabaseName in this session, ignoring case; null
  // when there is none.
  TDVDatabase* FindDatabase(const std::string& name) const;
  // FindDatabase, raising EDatabaseError when there is none.
  TDVDatabase* DatabaseByName(const std::string& name) const;
  // Every database of this session, in creation order.
  std::vector<TDVDatabase*> Databases() const;
  void GetDatabaseNames(rtl::TStrings* list) const;
  // The database is connected when needed (an unknown database raises).
  // pattern: a LIKE pattern ("" for all).
  void GetTableNames(const std::string& database, const std::string& pattern, bool systemTables,
                     rtl::TStrings* list) const;
  void GetStoredProcNames(const std::string& database, rtl::TStrings* list) const;
  // Columns of the table, in order; an unknown table leaves the list empty.
  void GetFieldNames(const std::string& database, const std::string& table, rtl::TStrings* list) const;
  void CloseDatabases();

 private:
  friend class TDVSessionList;
  std::string sessionName_;
  TDVSessionEntry* listEntry_ = nullptr;  // where the list files this session's name; null when unnamed
  bool keepConnections_ = true;
};

// The sessions and databases of the process. Sessions are filed under their
// names and databases under the session names they give, so that a look-up
// costs the same with ten sessions as with ten thousand.
class TDVSessionList {
 public:
  TDVSessionList() : unnamed_(&EntryOf(std::string())) {}
  TDVSessionList(const TDVSessionList&) = delete;
  TDVSessionList& operator=(const TDVSessionList&) = delete;

  int GetCount() const { return static_cast<int>(sessions_.size()); }
  TDVSession* GetSession(int index) const;
  // Ignoring case; an empty name gives the default session; null when absent.
  TDVSession* FindSession(const std::string& name) const;
  // Like FindSession, raising EDatabaseError for an unknown name.
  TDVSession* GetSessionByName(const std::string& name) const;

  // Bookkeeping of the components (not for callers).
  void AddSession(TDVSession* session);
  void RemoveSession(TDVSession* session);
  // Gives the session the name, closing its databases first; raises
  // EDatabaseError, changing nothing, when another session has the name.
  void RenameSession(TDVSession* session, const std::string& name);
  void AddDatabase(TDVDatabase* database);
  void RemoveDatabase(TDVDatabase* database);
  // The database's SessionName changed; it keeps its place in creation order.
  void DatabaseMoved(TDVDatabase* database);
  // Every database, in creation order.
  std::vector<TDVDatabase*> AllDatabases() const;
  // The databases that name this session, in creation order.
  std::vector<TDVDatabase*> DatabasesOf(const TDVSession& session) const;

 private:
  using TGroup = std::vector<TDVDatabase*>;  // in creation order
  void File(TDVDatabase* database);
  void Unfile(TDVDatabase* database);
  // The entry of a folded session name, made when there is none.
  TDVSessionEntry& EntryOf(const std::string& key);
  // Drops the entry once nothing is filed under it.
  void EraseIfUnused(TDVSessionEntry& entry);
  static bool Earlier(const TDVDatabase* a, const TDVDatabase* b);  // in creation order

  std::vector<TDVSession*> sessions_;  // not owned
  // The entries, found by folded session name in a flat table (one probe
  // of one array, also among thousands of sessions). The entry of "" holds
  // the databases that name no session and stays, since nearly every
  // database passes through it.
  std::vector<std::unique_ptr<TDVSessionEntry>> entries_;
  rtl::TNameTable<TDVSessionEntry, TDVSessionEntry> names_;
  TDVSessionEntry* unnamed_;
  size_t databaseCount_ = 0;
  uint64_t nextOrder_ = 0;
};

// Raise EDatabaseError when the library's units are not initialized.
TDVSessionList& Sessions();
TDVSession* Session();
// For unit initialization/finalization only.
void CreateSessions();
void FreeSessions();
bool SessionsCreated();

}  // namespace dralvo
