#include "model/SqlCompletion.h"

#include <algorithm>
#include <cctype>
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

bool IsWordStart(unsigned char c) { return std::isalpha(c) || c == '_' || c >= 0x80; }
bool IsWordChar(unsigned char c) { return IsWordStart(c) || std::isdigit(c) || c == '$'; }

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::vector<TToken> Tokenize(const std::string& text) {
  std::vector<TToken> tokens;
  size_t i = 0;
  const size_t n = text.size();
  while (i < n) {
    const unsigned char c = static_cast<unsigned char>(text[i]);
    const size_t start = i;
    if (std::isspace(c)) {
      ++i;
    } else if (c == '-' && i + 1 < n && text[i + 1] == '-') {
      while (i < n && text[i] != '\n') ++i;
      tokens.push_back({TTokenKind::Comment, {}, start, i, i == n});
    } else if (c == '/' && i + 1 < n && text[i + 1] == '*') {
      const size_t close = text.find("*/", i + 2);
      i = close == std::string::npos ? n : close + 2;
      tokens.push_back({TTokenKind::Comment, {}, start, i, close == std::string::npos});
    } else if (c == '"' || c == '\'') {
      // A doubled quote inside stands for one.
      std::string inner;
      bool closed = false;
      ++i;
      while (i < n) {
        if (text[i] == static_cast<char>(c)) {
          if (i + 1 < n && text[i + 1] == static_cast<char>(c)) {
            inner += text[i];
            i += 2;
            continue;
          }
          ++i;
          closed = true;
          break;
        }
        inner += text[i++];
      }
      tokens.push_back({c == '"' ? TTokenKind::Quoted : TTokenKind::String, inner, start, i, !closed});
    } else if (IsWordStart(c)) {
      while (i < n && IsWordChar(static_cast<unsigned char>(text[i]))) ++i;
      tokens.push_back({TTokenKind::Word, text.substr(start, i - start), start, i});
    } else if (std::isdigit(c)) {
      while (i < n && (std::isalnum(static_cast<unsigned char>(text[i])) || text[i] == '.')) ++i;
      tokens.push_back({TTokenKind::Number, text.substr(start, i - start), start, i});
    } else {
      ++i;
      tokens.push_back({TTokenKind::Punct, std::string(1, static_cast<char>(c)), start, i});
    }
  }
  return tokens;
}

bool IsName(const TToken& t) { return t.Kind == TTokenKind::Word || t.Kind == TTokenKind::Quoted; }
bool IsPunct(const TToken& t, char c) { return t.Kind == TTokenKind::Punct && t.Text[0] == c; }
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

std::string QuoteName(const std::string& name) {
  std::string out = "\"";
  for (char c : name) out += c == '"' ? std::string("\"\"") : std::string(1, c);
  return out + "\"";
}

TCompletionContext AnalyseSql(const std::string& text, size_t cursor) {
  TCompletionContext context;
  cursor = std::min(cursor, text.size());
  context.WordStart = cursor;
  const std::vector<TToken> all = Tokenize(text);
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
        context.Prefix = text.substr(t.Start + (context.Quoted ? 1 : 0), cursor - t.Start - (context.Quoted ? 1 : 0));
        if (context.Quoted) {
          // Doubled quotes typed so far stand for one.
          std::string unquoted;
          for (size_t k = 0; k < context.Prefix.size(); ++k) {
            unquoted += context.Prefix[k];
            if (context.Prefix[k] == '"' && k + 1 < context.Prefix.size() && context.Prefix[k + 1] == '"') ++k;
          }
          context.Prefix = unquoted;
        }
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
        entries.push_back(QuoteName(tables[i]));
      else if (texts != nullptr && i < texts->size())
        entries.push_back((*texts)[i]);
      else
        entries.push_back(names.NeedsQuotes(tables[i]) ? QuoteName(tables[i]) : tables[i]);
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
      if (table.empty()) table = context.QualifierQuoted ? QuoteName(context.Qualifier) : context.Qualifier;
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
    entries.push_back(!p.Keyword && (context.Quoted || names.NeedsQuotes(p.Name)) ? QuoteName(p.Name) : p.Name);
  return entries;
}

}  // namespace designer
