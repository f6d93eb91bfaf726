#include "Driver.h"

#include "../Errors.h"
#include "NameParts.h"
#include "dralvo/Consts.h"
#include "rtl/system/SysUtils.h"

namespace dralvo {

TDVConnection::TDVConnection(const TDVDialect& dialect, std::string shownTarget)
    : dialect_(dialect), target_(std::move(shownTarget)) {}

std::string TDVConnection::QuoteName(const std::string& name) const { return TDVNameRules::Quote(name, QuoteChar()); }

std::shared_ptr<const TDVNameRules> TDVConnection::NameRules() {
  // The words are asked once; the quotes may change with the session.
  if (!reservedWordsRead_) {
    reservedWords_ = ReservedWords();
    reservedWordsRead_ = true;
  }
  if (nameRules_ == nullptr || nameRules_->QuoteChar() != QuoteChar())
    nameRules_ = std::make_shared<const TDVNameRules>(BareNamesOf(dialect_.Folding), reservedWords_, QuoteChar());
  return nameRules_;
}

sql::LexicalRules TDVConnection::Lexis() const {
  sql::LexicalRules rules = dialect_.Lexis;
  rules.doubleQuotedNames = rules.doubleQuotedNames || QuoteChar() == '"';
  return rules;
}

sql::PositionalSql TDVConnection::Positional(const std::string& text) const {
  return sql::ToPositionalParams(text, dialect_.Markers, Lexis());
}

bool TDVConnection::ResolveName(
    const std::string& name,
    const std::function<bool(const std::string& schema, const std::string& name)>& lookup) const {
  std::vector<TNamePart> parts = SplitObjectName(name);
  if (parts.size() == 1)
    for (const std::string& t : PartCandidates(parts[0], dialect_.Folding))
      if (lookup("", t)) return true;
  if (parts.size() == 2)
    for (const std::string& s : PartCandidates(parts[0], dialect_.Folding))
      for (const std::string& t : PartCandidates(parts[1], dialect_.Folding))
        if (lookup(s, t)) return true;
  // A name that is one object as typed (blanks, dots or quote marks in it).
  std::string whole = rtl::Trim(name);
  if (!whole.empty() && (parts.size() != 1 || parts[0].Text != whole)) return lookup("", whole);
  return false;
}

bool TDVConnection::FindTable(const std::string& name, TDVTableRef& ref) {
  return ResolveName(name, [&](const std::string& schema, const std::string& table) {
    return LookupTable(schema, table, ref);
  });
}

bool TDVConnection::FindFieldNames(const std::string& name, std::vector<std::string>& names, TDVTableRef* ref) {
  names.clear();
  TDVTableRef found;
  if (!FindTable(name, found)) return false;
  GetFieldNames(found, names);
  if (ref != nullptr) *ref = std::move(found);
  return true;
}

bool TDVConnection::DescribeStoredProc(const std::string& name, TDVProcDesc& desc) {
  return ResolveName(name, [&](const std::string& schema, const std::string& proc) {
    return LookupStoredProc(schema, proc, desc);
  });
}

TDVTableRef TDVConnection::TableRef(const std::string& schema, const std::string& name) const {
  TDVTableRef ref;
  ref.Schema = schema;
  ref.Name = name;
  ref.Quoted = schema.empty() ? QuoteName(name) : QuoteName(schema) + "." + QuoteName(name);
  return ref;
}

void TDVConnection::RaiseServerError(const std::string& message, bool waitExpired) const {
  const std::string shown = target_.empty() ? "(default)" : target_;
  const std::string text =
      MaskPasswords(rtl::Format(SServerError, {GetServerTypeName(dialect_.Type), shown, message}));
  if (waitExpired) throw EDVWaitExpired(text);
  throw rtl::EDatabaseError(text);
}

void TDVConnection::RaiseConnectFailed(const std::string& message) const {
  RaiseDatabaseError(SConnectFailed,
                     {GetServerTypeName(dialect_.Type), target_.empty() ? "(default)" : target_, message});
}

}  // namespace dralvo
