// Which words MariaDB does not read as a bare name. The server lists its
// keywords (information_schema.KEYWORDS) without saying which of them are
// reserved, and most are not (NAME, STATUS, DATA...), so each keyword is
// tried bare in every place the update statements put a name: a statement
// that the parser refuses (rather than one naming a table that does not
// exist) means the word needs quotes. Preparing parses only; nothing runs.
// A server without that table (MySQL before 8) gets the list shipped with
// the build.
#include <mysql.h>
#include <mysqld_error.h>

#include "MariaDbConnection.h"
#include "MariaDbReservedWords.h"
#include "MariaDbStatement.h"
#include "rtl/system/SysUtils.h"

namespace dralvo {

namespace {
bool IsWord(const std::string& w) {
  if (w.empty()) return false;
  for (char c : w)
    if (!((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_')) return false;
  return true;
}
}  // namespace

std::vector<std::string> TMariaDbConnection::ReservedWords() {
  ParkStream();
  TMariaDbStatement keywords(conn_);
  TDVResult listed;
  if (!keywords.Prepare("select word from information_schema.KEYWORDS") || !keywords.Run({}, listed)) {
    if (keywords.ErrorNumber() != ER_UNKNOWN_TABLE && keywords.ErrorNumber() != ER_NO_SUCH_TABLE)
      Fail(keywords.Error(), keywords.ErrorNumber());
    return MariaDbShippedReservedWords();
  }
  std::vector<std::string> reserved;
  for (const auto& row : listed.Rows) {
    const std::string word = row[0].AsString();
    if (!IsWord(word)) continue;
    for (const std::string& probe : {"select " + word + " as " + word + " from " + word + " where " + word + " = 1",
                                     "update " + word + " set " + word + " = 1",
                                     "insert into " + word + " (" + word + ") values (1)"}) {
      TMariaDbStatement st(conn_);
      if (!st.Prepare(probe) && st.ErrorNumber() == ER_PARSE_ERROR) {
        reserved.push_back(rtl::UpperCase(word));
        break;
      }
    }
  }
  return reserved;
}

}  // namespace dralvo
