// Token kinds and boundaries of SQL text.
#include "dralvo/SqlParser.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using dralvo::sql::Token;
using dralvo::sql::TokenKind;
using dralvo::sql::Tokenize;
using dralvo::sql::UnquoteIdentifier;

char Letter(TokenKind k) {
  switch (k) {
    case TokenKind::Whitespace: return 'W';
    case TokenKind::Comment: return 'C';
    case TokenKind::Identifier: return 'I';
    case TokenKind::QuotedIdentifier: return 'Q';
    case TokenKind::String: return 'S';
    case TokenKind::Number: return 'N';
    case TokenKind::Param: return 'P';
    case TokenKind::Operator: return 'O';
  }
  return '?';
}

// "K<text>" per token, blanks left out; "!" marks an unterminated token.
std::string Render(const std::string& sql) {
  std::string out;
  for (const Token& t : Tokenize(sql)) {
    if (t.kind == TokenKind::Whitespace) continue;
    if (!out.empty()) out += ' ';
    out += Letter(t.kind);
    out += '<';
    out += t.Text(sql);
    out += '>';
    if (t.unterminated) out += '!';
  }
  return out;
}

struct Row {
  const char* sql;
  const char* tokens;
};

const Row kRows[] = {
    {R"(a."b""c")", R"(I<a> O<.> Q<"b""c">)"},
    {"'it''s' x", "S<'it''s'> I<x>"},
    {R"(E'a\'b' x)", R"(S<E'a\'b'> I<x>)"},
    {"e'\\\\' x", "S<e'\\\\'> I<x>"},
    {"'a\\' x", "S<'a\\'> I<x>"},
    {"x::int", "I<x> O<::> I<int>"},
    {"a := 1", "I<a> O<:=> N<1>"},
    {R"(:p1, :"my p")", R"(P<:p1> O<,> P<:"my p">)"},
    {"a:b", "I<a> P<:b>"},
    {": x", "O<:> I<x>"},
    {"-- c, d\nx", "C<-- c, d> I<x>"},
    {"a--c", "I<a> C<--c>"},
    {"/* a\n*/b", "C</* a\n*/> I<b>"},
    {"a/b*c-d", "I<a> O</> I<b> O<*> I<c> O<-> I<d>"},
    {"1.5e3 .5 0x1F 7 1e+2 2.", "N<1.5e3> N<.5> N<0x1F> N<7> N<1e+2> N<2.>"},
    {"[a b] arr[1]", "Q<[a b]> I<arr> O<[> N<1> O<]>"},
    {"(x)[2]", "O<(> I<x> O<)> O<[> N<2> O<]>"},
    {"`x``y`", "Q<`x``y`>"},
    {"[a]]b] c", "Q<[a]]b]> I<c>"},
    {"$$a;b$$ $tag$x$$y$tag$ $1", "S<$$a;b$$> S<$tag$x$$y$tag$> O<$1>"},
    {"a<>b||c>=d!=e", "I<a> O<<>> I<b> O<||> I<c> O<>=> I<d> O<!=> I<e>"},
    {"j->>'k'", "I<j> O<->>> S<'k'>"},
    {"a$b _c", "I<a$b> I<_c>"},
    {"\xC3\x84rger_1 x", "I<\xC3\x84rger_1> I<x>"},
    {"'open", "S<'open>!"},
    {"\"open", "Q<\"open>!"},
    {"[open", "Q<[open>!"},
    {"/* open", "C</* open>!"},
    {"$q$ open", "S<$q$ open>!"},
    {":\"open", "P<:\"open>!"},
    {"E'\\", "S<E'\\>!"},
};

TEST(Tokenizer, KindsAndBoundaries) {
  for (const Row& row : kRows) EXPECT_EQ(Render(row.sql), row.tokens) << row.sql;
}

TEST(Tokenizer, TokensCoverTextWithoutGaps) {
  const std::string sql = "select /*x*/ a.\"b\", 'c''d' -- e\n from [t] where x = :p::int and y = $1;";
  size_t next = 0;
  for (const Token& t : Tokenize(sql)) {
    EXPECT_EQ(t.offset, next);
    EXPECT_GT(t.length, 0u);
    next = t.offset + t.length;
  }
  EXPECT_EQ(next, sql.size());
  EXPECT_TRUE(Tokenize("").empty());
}

TEST(Tokenizer, UnquoteIdentifier) {
  const std::pair<const char*, const char*> rows[] = {
      {"plain", "plain"},   {R"("Order Id")", "Order Id"}, {R"("a""b")", R"(a"b)"}, {"[a]]b]", "a]b"},
      {"`a``b`", "a`b"},    {R"("")", ""},                 {R"(")", R"(")"},       {R"("open)", R"("open)"},
      {"[open", "[open"},   {"", ""},
  };
  for (const auto& [in, out] : rows) EXPECT_EQ(UnquoteIdentifier(in), out) << in;
}

}  // namespace
