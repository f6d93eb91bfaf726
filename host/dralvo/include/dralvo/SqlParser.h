#pragma once
// Reading SQL text without a database: a tokenizer, a parser that tells which
// table column each field of a SELECT shows, and the scanning of ":name"
// parameters. Nothing here throws on bad text: text that cannot be read gives
// empty results.
//
// Naming rules of the results:
// - A dataset field name is an identifier without its quotes ("Order Id" gives
//   Order Id), because that is the name the dataset gives the field.
// - A table is kept in the form written in FROM, quotes and owner included,
//   with blanks and comments between its parts removed ( dbo . "Order Lines"
//   gives dbo."Order Lines"). The field value "table.column" uses that same
//   form, so its table part equals the table entry's text exactly; the column
//   part is the column name without quotes.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace dralvo::sql {

// How one server splits text into tokens: which quotes enclose names,
// which strings and comments it knows. Each server type's rules are part of
// its dialect (dralvo/Servers.h: ServerLexicalRules; a connected database
// knows its session's: TDVDatabase::LexicalRules). The default reads text
// whose server is not known as any of them would: double quotes, backticks
// and brackets around names, $$ and E'...' strings, "--" and "/* */"
// comments.
struct LexicalRules {
  bool doubleQuotedNames = true;    // "..." is a name; else a string (MariaDB without ANSI_QUOTES)
  bool backtickNames = true;        // `...` (SQLite, MariaDB)
  bool bracketNames = true;         // [...] where no value comes right before it (SQLite)
  bool dollarStrings = true;        // $$...$$ and $tag$...$tag$ (PostgreSQL)
  bool escapeStrings = true;        // E'...' takes backslash escapes (PostgreSQL)
  bool backslashEscapes = false;    // every string takes them (MariaDB unless NO_BACKSLASH_ESCAPES)
  bool nestedComments = false;      // "/* /* */ */" is one comment (PostgreSQL)
  bool hashComments = false;        // "#" to the end of the line (MariaDB)
  bool dashDashNeedsBlank = false;  // "--" opens a comment only before a blank or control character (MariaDB)
  bool executableComments = false;  // the text of "/*! ... */" and "/*M! ... */" is read as SQL (MariaDB)
};

enum class TokenKind {
  Whitespace,
  Comment,           // -- (or #) to the end of the line, or /* ... */
  Identifier,        // a bare word, keywords included
  QuotedIdentifier,  // "..." with "" inside, `...` or [...], as the rules allow
  String,            // '...' with '' inside (E'...' also takes backslash escapes), $tag$...$tag$
  Number,
  Param,             // :name or :"name"
  Operator,          // everything else: ( ) , ; . * = :: || ...
};

struct Token {
  TokenKind kind = TokenKind::Operator;
  size_t offset = 0;  // byte offset in the text
  size_t length = 0;  // bytes; never 0
  bool unterminated = false;  // a string, quoted name or comment that runs to the end of the text

  std::string_view Text(std::string_view sql) const { return sql.substr(offset, length); }
};

// Splits the whole text into tokens that cover it without gaps.
std::vector<Token> Tokenize(std::string_view sql, const LexicalRules& rules = {});

// Where a byte offset of a text stands: 1-based line ("\n" ends one) and
// 1-based column counted in characters (UTF-8 sequences), as an editor
// shows it.
struct TextPosition {
  int line = 1;
  int column = 1;
};
TextPosition PositionAt(std::string_view text, size_t offset);

// The name an identifier token stands for: quotes removed and doubled quote
// characters undone for quoted names; a bare word unchanged.
std::string UnquoteIdentifier(std::string_view text);

enum class FieldKind {
  Column,      // a column reference, possibly qualified
  Expression,  // anything computed: functions, operators, literals, CASE...
  Subquery,    // a scalar subquery "(SELECT ...)"
};

// One item of the select list (a star is no item; see ParsedSelect::stars).
struct SelectField {
  int position = 0;     // index of the item in the select list, stars counted
  FieldKind kind = FieldKind::Column;
  std::string name;     // alias, else the column name; empty for an
                        // expression or subquery without alias (the server names it)
  std::string table;    // table as written in FROM, when the column belongs
                        // to a real table that the text names; else empty
  std::string column;   // column name (Column kind), else empty
  std::string value;    // table + "." + column when table is known, else empty
};

// One table of the top-level FROM, joins included, in order of appearance.
// Derived tables, table functions and references to WITH queries are not real
// tables and have no entry.
struct TableEntry {
  std::string alias;  // the alias as written; a table without alias has its own text
  std::string table;  // as written in FROM
};

// "*" or "t.*": the text alone cannot list the columns.
struct StarItem {
  int position = 0;
  std::string qualifier;  // "t" of "t.*" as written; empty for "*"
  std::string table;      // the real table the qualifier names, else empty
};

struct ParsedSelect {
  bool ok = false;        // the text is a SELECT whose select list was read
  bool hasStar = false;   // true when stars is not empty: the server must settle the columns
  std::vector<SelectField> fields;
  std::vector<TableEntry> tables;
  std::vector<StarItem> stars;
};

// Parses the first statement of the text. With UNION and the like only the
// first SELECT describes the fields. A WITH prefix is read over.
ParsedSelect ParseSelect(const std::string& sql, const LexicalRules& rules = {});

// A ":name" parameter outside strings, quoted names and comments. "::" (a
// type cast) and ":=" are no parameters.
struct ParamRef {
  std::string name;   // without the colon and without quotes
  size_t offset = 0;  // byte offset of the colon
  size_t length = 0;  // bytes from the colon to the end of the name
};

std::vector<ParamRef> FindParams(const std::string& sql, const LexicalRules& rules = {});
// The same from the text's tokens, read already.
std::vector<ParamRef> FindParams(std::string_view sql, const std::vector<Token>& tokens);

// The text with each parameter replaced by a positional marker, and the
// parameter names in the order the markers must be bound.
enum class ParamMarker {
  Question,  // "?" for each occurrence; a name used twice is bound twice
  Dollar,    // "$1", "$2"...; a name used twice reuses its number
};

struct PositionalSql {
  std::string sql;
  std::vector<std::string> names;  // names[i] binds marker i (or $i+1)
};

PositionalSql ToPositionalParams(const std::string& sql, ParamMarker marker, const LexicalRules& rules = {});
// The same with the text's parameters found already (FindParams).
PositionalSql ToPositionalParams(const std::string& sql, const std::vector<ParamRef>& params, ParamMarker marker);

}  // namespace dralvo::sql
