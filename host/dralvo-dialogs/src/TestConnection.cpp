#include "TestConnection.h"

#include "dralvo/Consts.h"
#include "dralvo/Hooks.h"
#include "dralvo/Servers.h"
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
  std::string userName = params.Values("USER NAME");
  std::string password = params.Values("PASSWORD");
  const std::string typed = password;
  TConnectionTestResult result;
  if (loginPrompt && ServerAsksLogin(type, remote) && password.empty() && GetLoginPromptHandler() &&
      !GetLoginPromptHandler()(databaseName, userName, password)) {
    result.Message = rtl::Format(SLoginCancelled, {databaseName});
    return result;
  }
  try {
    rtl::TStringList answered;
    answered.Assign(params);
    answered.SetValue("USER NAME", userName);
    answered.SetValue("PASSWORD", password);
    const std::string shown = ProbeConnection(type, remote, answered);
    result.Connected = true;
    result.Message = rtl::Format(SConnectionTestPassed, {GetServerTypeName(type), shown});
  } catch (const rtl::Exception& e) {
    result.Message = e.Message();
  }
  // The driver masks a password in the connection string; the one of the
  // parameters (or the one asked for) is masked wherever a message repeats it.
  result.Message = MaskPasswordIn(MaskPasswordIn(result.Message, typed), password);
  return result;
}

}  // namespace dralvo
