#include "sql/StatementKind.h"

#include "rtl/system/SysUtils.h"

namespace dralvo::sql {

namespace {
struct Word {
  std::string_view text;   // as written
  int depth = 0;           // brackets around it
  bool afterOpen = false;  // the first word inside a bracket
  bool word = false;
};

bool IsWord(const Word& w, std::string_view keyword) { return w.word && rtl::SameText(w.text, keyword); }
bool Changes(const Word& w) { return IsWord(w, "insert") || IsWord(w, "update") || IsWord(w, "delete"); }
std::string Lower(std::string_view text) { return rtl::LowerCase(std::string(text)); }

// The verb of one statement's words.
std::string VerbOf(const std::vector<Word>& words) {
  size_t first = 0;
  while (first < words.size() && !words[first].word) ++first;  // "(select ...)"
  if (first == words.size()) return {};
  const Word& lead = words[first];
  if (IsWord(lead, "with")) {
    const Word* verb = nullptr;
    for (size_t i = first + 1; i < words.size(); ++i) {
      const Word& w = words[i];
      if (w.afterOpen && Changes(w)) return Lower(w.text);  // a query in it that changes rows
      if (w.depth == 0 && verb == nullptr && (IsWord(w, "select") || Changes(w))) verb = &w;
    }
    return verb != nullptr ? Lower(verb->text) : "with";
  }
  if (IsWord(lead, "select"))
    for (size_t i = first + 1; i < words.size(); ++i)
      if (words[i].depth == lead.depth && IsWord(words[i], "into")) return "select into";
  return Lower(lead.text);
}
}  // namespace

StatementKind ReadStatementKind(std::string_view sql, const std::vector<Token>& tokens) {
  StatementKind kind;
  std::vector<Word> words;
  words.reserve(tokens.size());
  int depth = 0;
  bool open = false;
  auto finish = [&] {
    if (words.empty()) return;
    if (++kind.statements == 1) kind.verb = VerbOf(words);
    words.clear();
  };
  for (const Token& t : tokens) {
    if (t.kind == TokenKind::Whitespace || t.kind == TokenKind::Comment) continue;
    const std::string_view text = t.Text(sql);
    const bool op = t.kind == TokenKind::Operator;
    if (op && text == ";" && depth == 0) {
      finish();
      continue;
    }
    words.push_back(Word{text, depth, open, t.kind == TokenKind::Identifier});
    open = op && text == "(";
    if (open) ++depth;
    if (op && text == ")" && depth > 0) --depth;
  }
  finish();
  return kind;
}

StatementKind ReadStatementKind(std::string_view sql, const LexicalRules& rules) {
  return ReadStatementKind(sql, Tokenize(sql, rules));
}

}  // namespace dralvo::sql
