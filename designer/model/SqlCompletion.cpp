#include "model/SqlCompletion.h"

#include <algorithm>
#include <cctype>
#include <string_view>
#include <unordered_set>

namespace designer {

namespace {

enum class TTokenKind { Word, Quoted, String, Number, Punct, Comment };

struct TToken {
  TTokenKind Kind;
  std::string Text;  // a quoted name without its quotes
  size_t Start;
  size_t End;
  bool Open = false;  // a quote or comment not closed before the end
};

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

// What is typed of a quoted name so far, read as if it were closed there.
std::string TypedInQuotes(std::string_view quoted) {
  const char close = quoted.front() == '[' ? ']' : quoted.front();
  return dralvo::sql::UnquoteIdentifier(std::string(quoted) + close);
}

// The runtime's reader with the server's rules; a parameter ":name" is read
// as a colon and a name, so that a parameter named after a column is
// completed as one.
std::vector<TToken> ReadTokens(const std::string& text, const dralvo::sql::LexicalRules& rules) {
  using dralvo::sql::TokenKind;
  std::vector<TToken> tokens;
  for (const dralvo::sql::Token& t : dralvo::sql::Tokenize(text, rules)) {
    const std::string_view written = t.Text(text);
    const size_t end = t.offset + t.length;
    switch (t.kind) {
      case TokenKind::Whitespace: break;
      case TokenKind::Comment: {
        // A line comment that runs to the end goes on where the cursor types.
        const bool toLineEnd = !written.starts_with("/*") && !written.starts_with("*/");
        tokens.push_back({TTokenKind::Comment, {}, t.offset, end, t.unterminated || (toLineEnd && end == text.size())});
        break;
      }
      case TokenKind::String: tokens.push_back({TTokenKind::String, {}, t.offset, end, t.unterminated}); break;
      case TokenKind::Number: tokens.push_back({TTokenKind::Number, std::string(written), t.offset, end}); break;
      case TokenKind::Operator: tokens.push_back({TTokenKind::Punct, std::string(written), t.offset, end}); break;
      case TokenKind::Identifier: tokens.push_back({TTokenKind::Word, std::string(written), t.offset, end}); break;
      case TokenKind::QuotedIdentifier:
        tokens.push_back({TTokenKind::Quoted,
                          t.unterminated ? TypedInQuotes(written) : dralvo::sql::UnquoteIdentifier(written), t.offset,
                          end, t.unterminated});
        break;
      case TokenKind::Param: {
        tokens.push_back({TTokenKind::Punct, ":", t.offset, t.offset + 1});
        const std::string_view name = written.substr(1);
        const bool quoted = name.front() == '"';
        tokens.push_back({quoted ? TTokenKind::Quoted : TTokenKind::Word,
                          quoted ? (t.unterminated ? TypedInQuotes(name) : dralvo::sql::UnquoteIdentifier(name))
                                 : std::string(name),
                          t.offset + 1, end, t.unterminated});
        break;
      }
    }
  }
  return tokens;
}

bool IsName(const TToken& t) { return t.Kind == TTokenKind::Word || t.Kind == TTokenKind::Quoted; }
bool IsPunct(const TToken& t, char c) { return t.Kind == TTokenKind::Punct && t.Text.size() == 1 && t.Text[0] == c; }
bool IsKeyword(const TToken& t, const char* word) { return t.Kind == TTokenKind::Word && Lower(t.Text) == word; }

// Words that end a table reference: what follows a table is never its alias.
bool EndsTableReference(const TToken& t) {
  static const std::unordered_set<std::string> words = {
      "where", "join",   "inner",  "left",  "right",     "full",   "outer",   "cross",  "on",
      "using", "group",  "order",  "having", "limit",    "union",  "set",     "values", "natural",
      "select", "returning", "window", "offset", "fetch", "for",   "except",  "intersect", "default",
      "from",  "as",     "lateral", "into", "update",    "delete", "insert"};
  return t.Kind == TTokenKind::Word && words.count(Lower(t.Text)) != 0;
}

// Reads "name[.name...] [[AS] alias]" from tokens[i]; returns the index
// after it, or i when no table is there.
size_t ReadTableUse(const std::vector<TToken>& tokens, size_t i, const std::string& text,
                    std::vector<TTableUse>& uses) {
  if (i >= tokens.size() || !IsName(tokens[i]) || EndsTableReference(tokens[i])) return i;
  size_t last = i;
  while (last + 2 < tokens.size() && IsPunct(tokens[last + 1], '.') && IsName(tokens[last + 2])) last += 2;
  TTableUse use;
  use.Written = text.substr(tokens[i].Start, tokens[last].End - tokens[i].Start);
  use.Name = tokens[last].Text;
  use.Quoted = tokens[last].Kind == TTokenKind::Quoted;
  size_t next = last + 1;
  if (next < tokens.size() && IsKeyword(tokens[next], "as")) ++next;
  if (next < tokens.size() && IsName(tokens[next]) && !EndsTableReference(tokens[next])) {
    use.Alias = tokens[next].Text;
    use.AliasQuoted = tokens[next].Kind == TTokenKind::Quoted;
    ++next;
  }
  uses.push_back(std::move(use));
  return next;
}

bool SameName(const std::string& a, bool aQuoted, const std::string& b, bool bQuoted) {
  return aQuoted || bQuoted ? a == b : Lower(a) == Lower(b);
}

bool Matches(const std::string& name, const std::string& prefix, bool exact) {
  if (name.size() < prefix.size()) return false;
  if (exact) return name.compare(0, prefix.size(), prefix) == 0;
  for (size_t i = 0; i < prefix.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(name[i])) != std::tolower(static_cast<unsigned char>(prefix[i])))
      return false;
  return true;
}

bool LessIgnoringCase(const std::string& a, const std::string& b) {
  const int order = Lower(a).compare(Lower(b));
  return order != 0 ? order < 0 : a < b;
}

}  // namespace

TCompletionContext AnalyseSql(const std::string& text, size_t cursor, const dralvo::sql::LexicalRules& rules) {
  TCompletionContext context;
  cursor = std::min(cursor, text.size());
  context.WordStart = cursor;
  const std::vector<TToken> all = ReadTokens(text, rules);
  // The statement around the cursor: between the semicolons before and after.
  size_t begin = 0, end = all.size();
  for (size_t i = 0; i < all.size(); ++i) {
    if (!IsPunct(all[i], ';')) continue;
    if (all[i].End <= cursor) begin = i + 1;
    else if (end == all.size()) end = i;
  }
  std::vector<TToken> tokens;
  size_t wordToken = std::string::npos;
  for (size_t i = begin; i < end; ++i) {
    const TToken& t = all[i];
    const bool holdsCursor = t.Start < cursor && (cursor < t.End || (cursor == t.End && (t.Open || t.Kind == TTokenKind::Word)));
    if (holdsCursor) {
      if (t.Kind == TTokenKind::Comment || t.Kind == TTokenKind::String) {
        context.Kind = TCompletionKind::None;
        return context;
      }
      if (t.Kind == TTokenKind::Word || t.Kind == TTokenKind::Quoted) {
        context.WordStart = t.Start;
        context.Quoted = t.Kind == TTokenKind::Quoted;
        const std::string_view typed = std::string_view(text).substr(t.Start, cursor - t.Start);
        context.Prefix = context.Quoted ? TypedInQuotes(typed) : std::string(typed);
        wordToken = tokens.size();
        tokens.push_back(t);
        continue;
      }
    }
    if (t.Kind != TTokenKind::Comment) tokens.push_back(t);
  }

  // The tables of the statement, leaving out the name being typed.
  std::vector<TToken> others;
  for (size_t i = 0; i < tokens.size(); ++i)
    if (i != wordToken) others.push_back(tokens[i]);
  for (size_t i = 0; i < others.size();) {
    const TToken& t = others[i];
    if (IsKeyword(t, "from") || IsKeyword(t, "join") || IsKeyword(t, "into") || IsKeyword(t, "update")) {
      size_t next = ReadTableUse(others, i + 1, text, context.Tables);
      // A FROM list goes on after each comma.
      while (IsKeyword(t, "from") && next > i + 1 && next < others.size() && IsPunct(others[next], ',')) {
        const size_t after = ReadTableUse(others, next + 1, text, context.Tables);
        if (after == next + 1) break;
        next = after;
      }
      i = std::max(next, i + 1);
    } else {
      ++i;
    }
  }

  // What comes right before the name at the cursor decides its kind.
  std::vector<const TToken*> before;
  for (const TToken& t : tokens)
    if (t.End <= context.WordStart && &t != (wordToken == std::string::npos ? nullptr : &tokens[wordToken]))
      before.push_back(&t);
  context.Kind = TCompletionKind::Anything;
  if (!before.empty()) {
    const TToken& last = *before.back();
    if (IsPunct(last, '.') && before.size() >= 2 && IsName(*before[before.size() - 2]) &&
        before[before.size() - 2]->End == last.Start) {
      context.Kind = TCompletionKind::Columns;
      context.Qualifier = before[before.size() - 2]->Text;
      context.QualifierQuoted = before[before.size() - 2]->Kind == TTokenKind::Quoted;
    } else if (IsKeyword(last, "from") || IsKeyword(last, "join") || IsKeyword(last, "into") ||
               IsKeyword(last, "update")) {
      context.Kind = TCompletionKind::Tables;
    } else if (IsPunct(last, ',')) {
      // A comma of a FROM list: walk back over table references to FROM.
      for (size_t k = before.size() - 1; k-- > 0;) {
        const TToken& t = *before[k];
        if (IsKeyword(t, "from")) {
          context.Kind = TCompletionKind::Tables;
          break;
        }
        if (!(IsName(t) || IsPunct(t, '.') || IsPunct(t, ',')) || (EndsTableReference(t) && !IsKeyword(t, "as")))
          break;
      }
    }
  }
  return context;
}

std::string ResolveQualifier(const TCompletionContext& context) {
  for (const TTableUse& use : context.Tables)
    if (!use.Alias.empty() && SameName(use.Alias, use.AliasQuoted, context.Qualifier, context.QualifierQuoted))
      return use.Written;
  for (const TTableUse& use : context.Tables)
    if (SameName(use.Name, use.Quoted, context.Qualifier, context.QualifierQuoted)) return use.Written;
  return {};
}

std::vector<std::string> CompletionEntries(const TCompletionContext& context, const TCatalogNames& names) {
  struct TPick {
    std::string Name;
    bool Keyword;  // written bare, whatever the quoting rules say
  };
  std::vector<TPick> picked;
  auto pick = [&](const std::vector<std::string>& from, bool keywords) {
    for (const std::string& name : from)
      if (Matches(name, context.Prefix, context.Quoted)) picked.push_back({name, keywords});
  };
  if (context.Kind == TCompletionKind::None) return {};
  if (context.Kind == TCompletionKind::Tables) {
    // Already sorted, and maybe already quoted: only picked.
    const std::vector<std::string>& tables = names.Tables();
    const std::vector<std::string>* texts = names.TableTexts ? &names.TableTexts() : nullptr;
    // An empty bare prefix takes the whole list as the catalog made it.
    if (context.Prefix.empty() && !context.Quoted && texts != nullptr && texts->size() == tables.size())
      return *texts;
    std::vector<std::string> entries;
    for (size_t i = 0; i < tables.size(); ++i) {
      if (!Matches(tables[i], context.Prefix, context.Quoted)) continue;
      if (context.Quoted)
        entries.push_back(names.Quote(tables[i]));
      else if (texts != nullptr && i < texts->size())
        entries.push_back((*texts)[i]);
      else
        entries.push_back(names.NeedsQuotes(tables[i]) ? names.Quote(tables[i]) : tables[i]);
    }
    return entries;
  }
  switch (context.Kind) {
    case TCompletionKind::None:
    case TCompletionKind::Tables:
      break;
    case TCompletionKind::Columns: {
      std::string table = ResolveQualifier(context);
      // A table the statement does not name yet ("orders." in a select list).
      if (table.empty()) table = context.QualifierQuoted ? names.Quote(context.Qualifier) : context.Qualifier;
      pick(names.Columns(table), false);
      break;
    }
    case TCompletionKind::Anything:
      for (const TTableUse& use : context.Tables) pick(names.Columns(use.Written), false);
      if (!context.Quoted) pick(names.Keywords(), true);
      break;
  }
  std::sort(picked.begin(), picked.end(), [](const TPick& a, const TPick& b) {
    return LessIgnoringCase(a.Name, b.Name) || (a.Name == b.Name && a.Keyword < b.Keyword);
  });
  picked.erase(std::unique(picked.begin(), picked.end(),
                           [](const TPick& a, const TPick& b) { return a.Name == b.Name && a.Keyword == b.Keyword; }),
               picked.end());
  std::vector<std::string> entries;
  entries.reserve(picked.size());
  for (const TPick& p : picked)
    entries.push_back(!p.Keyword && (context.Quoted || names.NeedsQuotes(p.Name)) ? names.Quote(p.Name) : p.Name);
  return entries;
}

}  // namespace designer
