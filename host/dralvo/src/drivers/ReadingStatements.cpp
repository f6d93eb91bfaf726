// Which statements are opened to look at rows: one statement whose verb the
// server's dialect lists as reading. Anything else is refused before it is
// sent, saying what it is.
#include <algorithm>

#include "Dialect.h"
#include "sql/StatementKind.h"

namespace dralvo {

namespace {
bool Listed(const std::vector<std::string>& verbs, const std::string& verb) {
  return std::find(verbs.begin(), verbs.end(), verb) != verbs.end();
}
}  // namespace

std::string WhyNotOnlyReading(const TDVDialect& dialect, const sql::LexicalRules& lexis, std::string_view sql) {
  const sql::StatementKind kind = sql::ReadStatementKind(sql, lexis);
  std::string why;
  if (kind.statements != 1)
    why = kind.statements == 0 ? "no statement" : std::to_string(kind.statements) + " statements";
  else if (kind.verb == "select into")
    why = "select ... into writes its rows elsewhere";
  else if (Listed(dialect.Verbs.Committing, kind.verb))
    why = kind.verb + " commits by itself on " + GetServerTypeName(dialect.Type);
  else if (!Listed(dialect.Verbs.Reading, kind.verb))
    why = kind.verb + " is not a statement that only reads";
  if (why.empty()) return why;
  std::string reading;
  for (const std::string& verb : dialect.Verbs.Reading) reading += (reading.empty() ? "" : ", ") + verb;
  return why + ": looking at rows runs one statement that only reads (" + reading + ")";
}

}  // namespace dralvo
