// The server types the runtime has drivers for, and what callers outside
// the runtime may ask of them.
#include <map>
#include <mutex>

#include "../Errors.h"
#include "MariaDbConnection.h"
#include "MariaDbReservedWords.h"
#include "NameParts.h"
#include "PgConnection.h"
#include "firebird/FirebirdConnection.h"
#include "firebird/FirebirdReservedWords.h"
#include "SQLiteConnection.h"
#include "dralvo/Servers.h"
#include "rtl/system/SysUtils.h"

namespace dralvo {

namespace {
template <class TDriver>
std::unique_ptr<TDVConnection> Make(const TDVConnectParams& params) {
  return std::make_unique<TDriver>(params);
}

// A time-out line of Params: absent gives `fallback`; else a whole number
// from 0 (no limit where the server allows it) up.
int WaitLine(const rtl::TStrings& params, const char* key, int fallback) {
  std::string text = rtl::Trim(params.Values(key));
  if (text.empty()) return fallback;
  int64_t value = -1;
  if (!rtl::TryStrToInt(text, value) || value < 0 || value > 24 * 3600 * 1000)
    throw rtl::EDatabaseError(std::string("Params line ") + key + "=" + text +
                              ": not a whole number from 0 to 86400000");
  return static_cast<int>(value);
}
}  // namespace

const TDVDialect& DialectOf(TDVServerType type) {
  static const TDVDialect kSQLite{TDVServerType::stSQLite, TDVNameFolding::None, sql::ParamMarker::Question, '"',
                                  {.doubleQuotedNames = true, .backtickNames = true, .bracketNames = true,
                                   .dollarStrings = false, .escapeStrings = false},
                                  &SQLiteKeywords, &Make<TSQLiteConnection>};
  static const TDVDialect kPostgreSQL{TDVServerType::stPostgreSQL, TDVNameFolding::Lower, sql::ParamMarker::Dollar, '"',
                                      {.doubleQuotedNames = true, .backtickNames = false, .bracketNames = false,
                                       .dollarStrings = true, .escapeStrings = true, .nestedComments = true},
                                      &PgReservedWords, &Make<TPgConnection>};
  // Double quotes enclose strings but under ANSI_QUOTES (the session's
  // rules say so), and strings take backslash escapes but under
  // NO_BACKSLASH_ESCAPES.
  static const TDVDialect kMariaDB{TDVServerType::stMariaDB, TDVNameFolding::None, sql::ParamMarker::Question, '`',
                                   {.doubleQuotedNames = false, .backtickNames = true, .bracketNames = false,
                                    .dollarStrings = false, .escapeStrings = false, .backslashEscapes = true,
                                    .hashComments = true, .dashDashNeedsBlank = true, .executableComments = true},
                                   &MariaDbShippedReservedWords, &Make<TMariaDbConnection>};
  static const TDVDialect kFirebird{TDVServerType::stFirebird, TDVNameFolding::Upper, sql::ParamMarker::Question, '"',
                                    {.doubleQuotedNames = true, .backtickNames = false, .bracketNames = false,
                                     .dollarStrings = false, .escapeStrings = false},
                                    &FirebirdShippedReservedWords, &Make<TFirebirdConnection>};
  switch (type) {
    case TDVServerType::stSQLite:
      return kSQLite;
    case TDVServerType::stPostgreSQL:
      return kPostgreSQL;
    case TDVServerType::stMariaDB:
      return kMariaDB;
    case TDVServerType::stFirebird:
      return kFirebird;
  }
  throw rtl::EDatabaseError("Unknown server type " + std::to_string(static_cast<int>(type)));
}

TDVConnectParams ConnectParamsFrom(const std::string& target, const rtl::TStrings& params) {
  TDVConnectParams cp;
  cp.Target = target;
  cp.UserName = params.Values("USER NAME");
  cp.Password = params.Values("PASSWORD");
  cp.Waits.LockMs = WaitLine(params, "LOCK TIMEOUT", cp.Waits.LockMs);
  cp.Waits.StatementMs = WaitLine(params, "STATEMENT TIMEOUT", cp.Waits.StatementMs);
  cp.Waits.ConnectSeconds = WaitLine(params, "CONNECT TIMEOUT", cp.Waits.ConnectSeconds);
  return cp;
}

std::shared_ptr<const TDVNameRules> ServerNameRules(TDVServerType type) {
  // Made once per type: the lists do not change while the process runs.
  static std::mutex lock;
  static std::map<TDVServerType, std::shared_ptr<const TDVNameRules>> made;
  const TDVDialect& dialect = DialectOf(type);
  std::lock_guard<std::mutex> guard(lock);
  std::shared_ptr<const TDVNameRules>& rules = made[type];
  if (rules == nullptr)
    rules = std::make_shared<const TDVNameRules>(BareNamesOf(dialect.Folding), dialect.ReservedWords(), dialect.Quote);
  return rules;
}

std::string QuoteServerName(TDVServerType type, const std::string& name) {
  return TDVNameRules::Quote(name, DialectOf(type).Quote);
}

bool ServerAsksLogin(TDVServerType type, const std::string& target) {
  switch (type) {
    case TDVServerType::stSQLite:
      return false;
    case TDVServerType::stFirebird:
      // The embedded engine opens a file without an account.
      return rtl::Trim(target).find("://") != std::string::npos;
    case TDVServerType::stPostgreSQL:
    case TDVServerType::stMariaDB:
      break;
  }
  return true;
}

sql::LexicalRules ServerLexicalRules(TDVServerType type) { return DialectOf(type).Lexis; }

std::string ProbeConnection(TDVServerType type, const std::string& target, const rtl::TStrings& params) {
  return DialectOf(type).Connect(ConnectParamsFrom(target, params))->Target();
}

}  // namespace dralvo
