#pragma once
// What the SQL code editor offers at the cursor: the statement around the
// cursor is read into tokens by the runtime's reader with the server's
// rules (quoted names, strings and comments kept whole), the tables it names are listed with their aliases, and the place
// of the cursor decides the kind of names wanted: tables after FROM, JOIN,
// INTO and UPDATE (and after a comma of a FROM list), the columns of one
// table after "alias." or "table.", else the columns of every table the
// statement names and the server's keywords.
//
// No widget and no server here: the names come from a catalog snapshot, so
// tests drive it with plain lists.
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "dralvo/SqlParser.h"

namespace designer {

// None: the cursor is in a string or a comment, where nothing is offered.
enum class TCompletionKind { None, Tables, Columns, Anything };

// A table the statement names, as written (unquoted), with its alias.
struct TTableUse {
  std::string Written;  // as in the text, quotes and schema included
  std::string Name;     // its last part, unquoted
  bool Quoted = false;  // that last part was quoted
  std::string Alias;    // unquoted; empty without one
  bool AliasQuoted = false;
};

struct TCompletionContext {
  TCompletionKind Kind = TCompletionKind::Anything;
  std::string Prefix;     // what is typed of the name at the cursor, without its quote
  bool Quoted = false;    // the name at the cursor starts with a quote
  size_t WordStart = 0;   // byte offset of that name, its quote included
  std::string Qualifier;  // the alias or table before "." (Columns), unquoted
  bool QualifierQuoted = false;
  std::vector<TTableUse> Tables;
};

// `cursor` is a byte offset into `text` (UTF-8); `rules` are the server's
// (dralvo::ServerLexicalRules, TDVDatabase::LexicalRules), by default what
// any server reads.
TCompletionContext AnalyseSql(const std::string& text, size_t cursor, const dralvo::sql::LexicalRules& rules = {});

// The names a catalog knows, as the completion asks for them.
struct TCatalogNames {
  // Sorted ignoring case (the catalog sorts once, the completion only picks).
  std::function<const std::vector<std::string>&()> Tables;
  // Columns of a table as the statement wrote it; empty for an unknown one.
  std::function<const std::vector<std::string>&(const std::string& table)> Columns;
  std::function<const std::vector<std::string>&()> Keywords;
  // Whether a name must be quoted to be read back as itself, and the name
  // in the quotes the server reads (the server's naming rules).
  std::function<bool(const std::string& name)> NeedsQuotes;
  std::function<std::string(const std::string& name)> Quote;
  // Optional: Tables() as inserted (quoted where needed), made once by the
  // catalog so that a list of many tables costs only the picking.
  std::function<const std::vector<std::string>&()> TableTexts;
};

// The entries to offer, sorted and without repeats, each as it is to be
// inserted (quoted when it needs quotes or the typing began with a quote).
// A bare prefix matches ignoring case, a quoted one exactly.
std::vector<std::string> CompletionEntries(const TCompletionContext& context, const TCatalogNames& names);

// The table the qualifier (an alias or a table name of the statement)
// stands for, as written; empty when the statement has no such name. Bare
// names match ignoring case, quoted ones exactly.
std::string ResolveQualifier(const TCompletionContext& context);

}  // namespace designer
