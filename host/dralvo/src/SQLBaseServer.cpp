#include "dralvo/SQLBaseServer.h"

#include "Errors.h"
#include "dralvo/Database.h"
#include "dralvo/Driver.h"
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
  const char* sql =
      db->Connection().ServerType() == TDVServerType::stSQLite ? "select sqlite_version()" : "show server_version";
  TDVResult r = db->Connection().Execute(sql, {});
  return r.Rows.empty() ? std::string() : r.Rows[0][0].AsString();
}

}  // namespace dralvo
