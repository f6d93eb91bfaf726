#include "sql/StatementKind.h"

#include <vector>

#include "dralvo/SqlParser.h"
#include "rtl/system/SysUtils.h"

namespace dralvo::sql {

namespace {
struct Word {
  std::string text;  // lower case; operators as written
  int depth = 0;     // brackets around it
  bool afterOpen = false;  // the first word inside a bracket
  bool word = false;
};

bool Changes(const std::string& verb) { return verb == "insert" || verb == "update" || verb == "delete"; }

// The verb of one statement's words.
std::string VerbOf(const std::vector<Word>& words) {
  size_t first = 0;
  while (first < words.size() && !words[first].word) ++first;  // "(select ...)"
  if (first == words.size()) return {};
  const std::string& lead = words[first].text;
  if (lead == "with") {
    std::string verb = "with";
    for (size_t i = first + 1; i < words.size(); ++i) {
      const Word& w = words[i];
      if (w.word && w.afterOpen && Changes(w.text)) return w.text;  // a query in it that changes rows
      if (w.word && w.depth == 0 && verb == "with" && (w.text == "select" || Changes(w.text))) verb = w.text;
    }
    return verb;
  }
  if (lead == "select")
    for (size_t i = first + 1; i < words.size(); ++i)
      if (words[i].word && words[i].depth == words[first].depth && words[i].text == "into") return "select into";
  return lead;
}
}  // namespace

StatementKind ReadStatementKind(std::string_view sql) {
  StatementKind kind;
  std::vector<Word> words;
  int depth = 0;
  bool open = false;
  auto finish = [&] {
    if (words.empty()) return;
    if (++kind.statements == 1) kind.verb = VerbOf(words);
    words.clear();
  };
  for (const Token& t : Tokenize(sql)) {
    if (t.kind == TokenKind::Whitespace || t.kind == TokenKind::Comment) continue;
    const std::string_view text = t.Text(sql);
    if (t.kind == TokenKind::Operator && text == ";" && depth == 0) {
      finish();
      continue;
    }
    Word w;
    w.word = t.kind == TokenKind::Identifier;
    w.text = w.word ? rtl::LowerCase(std::string(text)) : std::string(text);
    w.depth = depth;
    w.afterOpen = open;
    open = t.kind == TokenKind::Operator && text == "(";
    if (open) ++depth;
    if (t.kind == TokenKind::Operator && text == ")" && depth > 0) --depth;
    words.push_back(std::move(w));
  }
  finish();
  return kind;
}

}  // namespace dralvo::sql
