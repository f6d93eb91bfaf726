#pragma once
// Sessions: named groups of databases. The default session and the session
// list are created by the library's unit initialization.
#include <string>
#include <vector>

#include "rtl/objects/Component.h"

namespace rtl {
class TStrings;
}

namespace dralvo {

class TDVDatabase;

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
  std::string sessionName_;
  bool keepConnections_ = true;
};

class TDVSessionList {
 public:
  TDVSessionList() = default;
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
  void AddDatabase(TDVDatabase* database);
  void RemoveDatabase(TDVDatabase* database);
  const std::vector<TDVDatabase*>& AllDatabases() const { return databases_; }

 private:
  std::vector<TDVSession*> sessions_;     // not owned
  std::vector<TDVDatabase*> databases_;   // not owned
};

// Raise EDatabaseError when the library's units are not initialized.
TDVSessionList& Sessions();
TDVSession* Session();
// For unit initialization/finalization only.
void CreateSessions();
void FreeSessions();
bool SessionsCreated();

}  // namespace dralvo
