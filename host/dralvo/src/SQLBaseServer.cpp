#include "dralvo/SQLBaseServer.h"

#include "Errors.h"
#include "dralvo/Database.h"
#include "drivers/Driver.h"
#include "dralvo/Session.h"
#include "rtl/objects/ClassBuilder.h"

namespace dralvo {

const rtl::TClass& TDVSQLBaseServer::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TDVSQLBaseServer>("TDVSQLBaseServer", &rtl::TComponent::StaticClass())
          .Creatable()
          .Str("DatabaseName", &TDVSQLBaseServer::DatabaseName, &TDVSQLBaseServer::SetDatabaseName)
          .Str("SessionName", &TDVSQLBaseServer::SessionName, &TDVSQLBaseServer::SetSessionName)
          .Build();
  return cls;
}

TDVSession* TDVSQLBaseServer::GetDBSession() const { return Sessions().GetSessionByName(sessionName_); }
TDVDatabase* TDVSQLBaseServer::Database() const {
  return DatabaseFor(*this, [this] { return GetDBSession()->DatabaseByName(databaseName_); });
}

std::string TDVSQLBaseServer::ServerVersion() const {
  TDVDatabase* db = Database();
  db->Open();
  return db->Connection().ServerVersion();
}

}  // namespace dralvo
