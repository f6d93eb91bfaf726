// Token kinds and boundaries of SQL text.
#include "dralvo/SqlParser.h"

#include <gtest/gtest.h>

#include "dralvo/Servers.h"

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
std::string Render(const std::string& sql, const dralvo::sql::LexicalRules& rules = {}) {
  std::string out;
  for (const Token& t : Tokenize(sql, rules)) {
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

// Each server's own rules, as its dialect entry states them.
TEST(Tokenizer, EachServerReadsByItsOwnRules) {
  using dralvo::TDVServerType;
  struct ServerRow {
    TDVServerType server;
    const char* sql;
    const char* tokens;
  };
  const ServerRow rows[] = {
      {TDVServerType::stMariaDB, "a # b :c\nd", "I<a> C<# b :c> I<d>"},
      {TDVServerType::stMariaDB, "a--1 -- c\nb --", "I<a> O<-> O<-> N<1> C<-- c> I<b> C<-->"},
      {TDVServerType::stMariaDB, "\"x:y\" `a``b` [c]", "S<\"x:y\"> Q<`a``b`> O<[> I<c> O<]>"},
      {TDVServerType::stMariaDB, R"('it\'s :p' x)", R"(S<'it\'s :p'> I<x>)"},
      {TDVServerType::stMariaDB, "a /*!50000 where b */ /* c */", "I<a> C</*!50000> I<where> I<b> C<*/> C</* c */>"},
      {TDVServerType::stMariaDB, "$$a$$", "O<$> O<$> I<a$$>"},
      {TDVServerType::stPostgreSQL, "/* a /* b */ c */ d", "C</* a /* b */ c */> I<d>"},
      {TDVServerType::stPostgreSQL, "/* a /* b */ c", "C</* a /* b */ c>!"},
      {TDVServerType::stPostgreSQL, "$f$ ':x' $f$ #> `a` [1]", "S<$f$ ':x' $f$> O<#>> O<`> I<a> O<`> O<[> N<1> O<]>"},
      {TDVServerType::stPostgreSQL, R"('a\' x)", R"(S<'a\'> I<x>)"},
      {TDVServerType::stSQLite, "[a b] `c` \"d\" # /* x /* y */ z", "Q<[a b]> Q<`c`> Q<\"d\"> O<#> C</* x /* y */> I<z>"},
      {TDVServerType::stSQLite, "$a E'b'", "O<$> I<a> I<E> S<'b'>"},
  };
  for (const ServerRow& row : rows)
    EXPECT_EQ(Render(row.sql, dralvo::ServerLexicalRules(row.server)), row.tokens)
        << dralvo::GetServerTypeName(row.server) << ": " << row.sql;
}

TEST(Tokenizer, PositionsCountLinesAndCharacters) {
  const std::string text = "a\r\n\xC3\xA4" "b\n\nc";
  const std::pair<size_t, std::pair<int, int>> rows[] = {
      {0, {1, 1}}, {1, {1, 2}}, {3, {2, 1}}, {5, {2, 2}}, {7, {3, 1}}, {8, {4, 1}}, {99, {4, 2}}};
  for (const auto& [offset, where] : rows) {
    const dralvo::sql::TextPosition at = dralvo::sql::PositionAt(text, offset);
    EXPECT_EQ(std::make_pair(at.line, at.column), where) << offset;
  }
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
