#pragma once
// TDVSQLBaseServer: a component standing for the server of a database,
// answering questions about it.
#include <string>

#include "rtl/objects/Component.h"

namespace dralvo {

class TDVDatabase;
class TDVSession;

class TDVSQLBaseServer : public rtl::TComponent {
  RTL_CLASS(TDVSQLBaseServer)
 public:
  explicit TDVSQLBaseServer(rtl::TComponent* owner) : TComponent(owner) {}

  const std::string& DatabaseName() const { return databaseName_; }
  void SetDatabaseName(const std::string& name) { databaseName_ = name; }
  const std::string& SessionName() const { return sessionName_; }
  void SetSessionName(const std::string& name) { sessionName_ = name; }

  TDVSession* GetDBSession() const;
  TDVDatabase* Database() const;  // raises when there is none
  // The server's version text (connects when needed).
  std::string ServerVersion() const;

 private:
  std::string databaseName_;
  std::string sessionName_;
};

}  // namespace dralvo
