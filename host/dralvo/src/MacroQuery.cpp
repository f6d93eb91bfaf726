#include "dralvo/MacroQuery.h"

#include "dralvo/SqlParser.h"
#include "rtl/objects/ClassBuilder.h"

namespace dralvo {

namespace {
// Calls fn(offset, length, name) for every "&name" outside strings, quoted
// names and comments.
template <class Fn>
void ForEachMacro(const std::string& text, Fn fn) {
  std::vector<sql::Token> tokens = sql::Tokenize(text);
  for (size_t i = 0; i + 1 < tokens.size(); ++i) {
    const sql::Token& t = tokens[i];
    const sql::Token& next = tokens[i + 1];
    if (t.kind == sql::TokenKind::Operator && t.Text(text) == std::string_view(&TDVMacroQuery::MacroChar, 1) &&
        next.kind == sql::TokenKind::Identifier && next.offset == t.offset + t.length)
      fn(t.offset, t.length + next.length, std::string(next.Text(text)));
  }
}
}  // namespace

const rtl::TClass& TDVMacroQuery::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TDVMacroQuery>("TDVMacroQuery", &TDVQuery::StaticClass())
          .Creatable()
          .Owned("Macros", rtl::ClassTypeInfo(db::TParams::StaticClass()), &TDVMacroQuery::Macros)
          .Build();
  return cls;
}

TDVMacroQuery::TDVMacroQuery(rtl::TComponent* owner)
    : TDVQuery(owner), macros_(std::make_unique<db::TParams>(this)) {}

TDVMacroQuery::~TDVMacroQuery() = default;

void TDVMacroQuery::SQLChanged() {
  TDVQuery::SQLChanged();
  RefreshMacros();
}

void TDVMacroQuery::RefreshMacros() {
  if (!macros_) return;  // the base constructor's text change
  db::TParams fresh;
  ForEachMacro(SQL()->Text(), [&](size_t, size_t, const std::string& name) {
    if (fresh.FindParam(name) == nullptr) fresh.CreateParam(db::TFieldType::ftString, name, db::TParamType::ptInput);
  });
  for (int i = 0; i < fresh.Count(); ++i)
    if (db::TParam* old = macros_->FindParam(fresh.Items(i)->Name())) fresh.Items(i)->Assign(*old);
  macros_->Assign(fresh);
}

std::string TDVMacroQuery::ExpandedSQL() const {
  std::string text = SQL()->Text();
  std::string out;
  size_t done = 0;
  ForEachMacro(text, [&](size_t offset, size_t length, const std::string& name) {
    out.append(text, done, offset - done);
    db::TParam* macro = macros_->FindParam(name);
    out += macro != nullptr ? macro->AsString() : text.substr(offset, length);
    done = offset + length;
  });
  out.append(text, done, std::string::npos);
  return out;
}

}  // namespace dralvo
