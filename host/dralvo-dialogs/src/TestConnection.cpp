#include "TestConnection.h"

#include "dralvo/Consts.h"
#include "dralvo/Driver.h"
#include "dralvo/Hooks.h"
#include "rtl/system/SysUtils.h"

namespace dralvo {

std::string MaskPasswordIn(const std::string& text, const std::string& password) {
  if (password.empty()) return text;
  std::string out;
  size_t from = 0;
  for (size_t at; (at = text.find(password, from)) != std::string::npos; from = at + password.size())
    out += text.substr(from, at - from) + "****";
  return out + text.substr(from);
}

TConnectionTestResult TestConnection(TDVServerType type, const std::string& remote, const rtl::TStrings& params,
                                     bool loginPrompt, const std::string& databaseName) {
  TDVConnectParams connect;
  connect.Target = remote;
  connect.UserName = params.Values("USER NAME");
  connect.Password = params.Values("PASSWORD");
  const std::string typed = connect.Password;
  TConnectionTestResult result;
  if (loginPrompt && type != TDVServerType::stSQLite && connect.Password.empty() && GetLoginPromptHandler() &&
      !GetLoginPromptHandler()(databaseName, connect.UserName, connect.Password)) {
    result.Message = rtl::Format(SLoginCancelled, {databaseName});
    return result;
  }
  try {
    std::unique_ptr<TDVConnection> connection = ConnectDriver(type, connect);
    result.Connected = true;
    result.Message = rtl::Format(SConnectionTestPassed, {GetServerTypeName(type), connection->Target()});
  } catch (const rtl::Exception& e) {
    result.Message = e.Message();
  }
  // The driver masks a password in the connection string; the one of the
  // parameters (or the one asked for) is masked wherever a message repeats it.
  result.Message = MaskPasswordIn(MaskPasswordIn(result.Message, typed), connect.Password);
  return result;
}

}  // namespace dralvo
