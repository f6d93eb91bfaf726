#pragma once
// What the runtime knows of a server type without connecting: its name, how
// it folds bare names, how it marks parameters, how it reads SQL text
// (quotes, strings, comments), its reserved words and how to connect to it. One entry per server type (Dialects.cpp); a new server
// is a new entry and one driver class.
#include <memory>
#include <string>
#include <vector>

#include "dralvo/NameRules.h"
#include "dralvo/ServerTypes.h"
#include "dralvo/SqlParser.h"
#include "rtl/text/Strings.h"

namespace dralvo {

class TDVConnection;

// Bounds of every wait on a server, from a database's Params.
struct TDVWaitLimits {
  int LockMs = 5000;          // "LOCK TIMEOUT": a lock another session holds
  int StatementMs = 60000;    // "STATEMENT TIMEOUT": one statement as a whole
  int ConnectSeconds = 10;    // "CONNECT TIMEOUT": reaching the server
};

struct TDVConnectParams {
  std::string Target;    // SQLite file, or PostgreSQL URI / key=value / host[:port]/db
  std::string UserName;
  std::string Password;  // never shown in messages
  TDVWaitLimits Waits;
};

// User name, password and wait limits from a database's Params; raises
// EDatabaseError naming the line when a time-out is not a whole number.
TDVConnectParams ConnectParamsFrom(const std::string& target, const rtl::TStrings& params);

// How bare names are stored: folded to lower case (PostgreSQL), to upper
// case, or kept and compared ignoring case (SQLite, MariaDB).
enum class TDVNameFolding { None, Lower, Upper };

// What a bare name may hold besides: the one server that folds to upper
// case (Firebird) reads only ASCII letters, digits, "_" and "$" bare.
inline TDVBareNames BareNamesOf(TDVNameFolding folding) {
  switch (folding) {
    case TDVNameFolding::Lower:
      return TDVBareNames::FoldLower;
    case TDVNameFolding::Upper:
      return TDVBareNames::FoldUpperAscii;
    case TDVNameFolding::None:
      break;
  }
  return TDVBareNames::AsWritten;
}

struct TDVDialect {
  TDVServerType Type;
  TDVNameFolding Folding;
  sql::ParamMarker Markers;
  char Quote;  // encloses a name (a session may say otherwise)
  sql::LexicalRules Lexis;  // how its reader splits text (a session may say otherwise)
  // The words a bare name cannot be, known without a server.
  std::vector<std::string> (*ReservedWords)();
  std::unique_ptr<TDVConnection> (*Connect)(const TDVConnectParams& params);
};

// Raises EDatabaseError for a type without a driver.
const TDVDialect& DialectOf(TDVServerType type);

}  // namespace dralvo
