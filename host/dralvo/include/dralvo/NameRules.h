#pragma once
// How a server reads a name written without quotes, so that a statement
// quotes a name exactly when the server would otherwise read another name
// (or none): characters outside an identifier, a leading digit, a reserved
// word of that server, and where the server folds bare names, a letter case
// that folding would change.
#include <string>
#include <unordered_set>
#include <vector>

namespace dralvo {

// How a server reads a name written bare.
enum class TDVBareNames {
  AsWritten,  // kept as written, compared ignoring case (SQLite, MariaDB)
  FoldLower,  // folded to lower case (PostgreSQL)
  // Folded to upper case, and only ASCII letters, digits, "_" and "$" with a
  // letter first (Firebird).
  FoldUpperAscii,
};

class TDVNameRules {
 public:
  // No server known: only the identifier syntax shared by every server.
  TDVNameRules() = default;
  // reservedWords: the server's own list, in any letter case; quote: the
  // character that encloses a name on that server (doubled inside it).
  TDVNameRules(bool foldsToLower, const std::vector<std::string>& reservedWords, char quote = '"');
  TDVNameRules(TDVBareNames bare, const std::vector<std::string>& reservedWords, char quote = '"');

  char QuoteChar() const { return quote_; }
  // The name enclosed in this server's quotes.
  std::string Quote(const std::string& name) const { return Quote(name, quote_); }
  // The name enclosed in `quote`, each one inside doubled: the one quoting
  // every server, session and caller uses.
  static std::string Quote(const std::string& name, char quote);
  // A table as typed in SQL with every part quoted ("own.orders" gives
  // "own"."orders"; a quoted part keeps its text); a text that is no
  // well-formed dotted name is quoted whole.
  std::string QuoteReference(const std::string& text) const;

  // True when `name`, as the server stores it, written bare would not be
  // read back as this same name.
  bool NeedsQuotes(const std::string& name) const;
  // A table as typed in SQL (bare parts are folded by the server just as in
  // the query's own text): each bare part that cannot stand bare at all is
  // quoted; a text that needs nothing comes back byte for byte.
  std::string TableReference(const std::string& text) const;
  // The server's reserved words, in lower case and in no particular order
  // (what a code editor offers as keywords).
  std::vector<std::string> ReservedWords() const { return {reserved_.begin(), reserved_.end()}; }

 private:
  bool CannotStandBare(const std::string& name) const;

  TDVBareNames bare_ = TDVBareNames::AsWritten;
  char quote_ = '"';
  std::unordered_set<std::string> reserved_;  // lower case
};

// Whether the runtime's own reader would not read ":name" as this parameter
// name (it is then written :"name").
bool ParamNeedsQuotes(const std::string& name);

}  // namespace dralvo
