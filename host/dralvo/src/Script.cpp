#include "dralvo/Script.h"

#include "Errors.h"
#include "dralvo/Database.h"
#include "drivers/Driver.h"
#include "dralvo/Monitor.h"
#include "dralvo/Session.h"
#include "dralvo/SqlParser.h"
#include "rtl/objects/ClassBuilder.h"
#include "rtl/system/SysUtils.h"

namespace dralvo {

const rtl::TClass& TDVScript::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TDVScript>("TDVScript", &rtl::TComponent::StaticClass())
          .Creatable()
          .Str("DatabaseName", &TDVScript::DatabaseName, &TDVScript::SetDatabaseName)
          .Str("SessionName", &TDVScript::SessionName, &TDVScript::SetSessionName)
          .Owned("SQL", rtl::ClassTypeInfo(rtl::TStrings::StaticClass()), &TDVScript::SQL)
          .Build();
  return cls;
}

TDVScript::TDVScript(rtl::TComponent* owner) : TComponent(owner), sql_(std::make_unique<rtl::TStringList>()) {}
TDVScript::~TDVScript() = default;

TDVSession* TDVScript::GetDBSession() const { return Sessions().GetSessionByName(sessionName_); }
TDVDatabase* TDVScript::Database() const {
  return DatabaseFor(*this, [this] { return GetDBSession()->DatabaseByName(databaseName_); });
}

void TDVScript::ExecSQL() {
  TDVDatabase* db = Database();
  db->Open();
  for (const std::string& statement : SplitStatements(sql_->Text())) {
    NotifyMonitors(databaseName_, statement);
    db->Connection().Execute(statement, {});
  }
}

std::vector<std::string> SplitStatements(const std::string& script) {
  // A trigger body holds semicolons between BEGIN and its END (CASE ... END
  // nests inside it), so the statement ends at the ";" after that END.
  std::vector<std::string> out;
  std::vector<sql::Token> tokens = sql::Tokenize(script);
  size_t start = 0;
  int depth = 0;
  bool isTrigger = false, sawCreate = false, first = true;
  auto flush = [&](size_t end) {
    std::string s = rtl::Trim(script.substr(start, end - start));
    bool onlyComments = true;
    for (const sql::Token& t : sql::Tokenize(s))
      if (t.kind != sql::TokenKind::Whitespace && t.kind != sql::TokenKind::Comment) onlyComments = false;
    if (!s.empty() && !onlyComments) out.push_back(s);
    depth = 0;
    isTrigger = sawCreate = false;
    first = true;
  };
  for (const sql::Token& t : tokens) {
    std::string_view text = t.Text(script);
    if (t.kind == sql::TokenKind::Identifier) {
      std::string word = rtl::UpperCase(std::string(text));
      if (first) sawCreate = word == "CREATE";
      else if (sawCreate && word == "TRIGGER") isTrigger = true;
      first = false;
      if (isTrigger && (word == "BEGIN" || word == "CASE")) ++depth;
      if (isTrigger && word == "END" && depth > 0) --depth;
    } else if (t.kind == sql::TokenKind::Operator && text == ";" && depth == 0) {
      flush(t.offset);
      start = t.offset + t.length;
    } else if (t.kind != sql::TokenKind::Whitespace && t.kind != sql::TokenKind::Comment) {
      first = false;
    }
  }
  flush(script.size());
  return out;
}

}  // namespace dralvo
