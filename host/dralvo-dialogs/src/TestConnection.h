#pragma once
// "Test connection" of the database editor: a connection of its own, made
// with the values shown and closed at once. No database component is
// involved, so nothing the developer stored can change.
#include <string>

#include "dralvo/ServerTypes.h"
#include "rtl/text/Strings.h"

namespace dralvo {

struct TConnectionTestResult {
  bool Connected = false;
  // What to tell the person: where it connected, or the server's error;
  // passwords are masked in either.
  std::string Message;
};

// `params` are the parameter lines ("USER NAME", "PASSWORD"); with
// `loginPrompt`, a server with accounts asks the login handler for a
// missing password, as connecting the database would.
TConnectionTestResult TestConnection(TDVServerType type, const std::string& remote, const rtl::TStrings& params,
                                     bool loginPrompt, const std::string& databaseName);

// The text with every occurrence of `password` replaced by "****".
std::string MaskPasswordIn(const std::string& text, const std::string& password);

}  // namespace dralvo
