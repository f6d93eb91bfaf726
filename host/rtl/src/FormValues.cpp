// Property values of the form reader: the path "A.B.C = value" and every
// kind of value the published-property tables know.
#include <climits>

#include "FormReader.h"
#include "rtl/Collection.h"
#include "rtl/Strings.h"
#include "rtl/SysUtils.h"

namespace rtl {

namespace {
bool IsComponentType(const TPropInfo& prop) {
  return prop.Type->ClassType != nullptr && prop.Type->ClassType->InheritsFrom(TComponent::StaticClass());
}
}  // namespace

void TFormReader::ReadProperty(TObject& target) {
  std::vector<TFormToken> path{lexer_.Current()};
  lexer_.Next();
  while (lexer_.Current().Is('.')) {
    lexer_.Next();
    if (lexer_.Current().Kind != TFormTokenKind::Identifier)
      lexer_.Fail(lexer_.Current(), "Expected a property name after \".\", found " + lexer_.Current().Describe());
    path.push_back(lexer_.Current());
    lexer_.Next();
  }
  Expect('=');
  // Every part but the last names an owned object whose property follows.
  TObject* object = &target;
  for (size_t i = 0; i + 1 < path.size(); ++i) {
    const TPropInfo* prop = object->ClassType().FindProperty(path[i].Text);
    if (prop == nullptr)
      lexer_.Fail(path[i], "Unknown property " + path[i].Text + " of class " + object->ClassName());
    if (prop->Type->Kind != TTypeKind::Class || IsComponentType(*prop) || !prop->GetObj ||
        prop->GetObj(*object) == nullptr)
      lexer_.Fail(path[i], "Property " + path[i].Text + " of class " + object->ClassName() + " has no sub-properties");
    object = prop->GetObj(*object);
  }
  const TFormToken& last = path.back();
  if (path.size() > 1 && Is<TStrings>(object) && SameText(last.Text, "Strings")) {
    ReadStringList(*static_cast<TStrings*>(object));
    return;
  }
  const TPropInfo* prop = object->ClassType().FindProperty(last.Text);
  if (prop == nullptr) lexer_.Fail(last, "Unknown property " + last.Text + " of class " + object->ClassName());
  ReadValue(*object, *prop, last);
}

void TFormReader::ReadValue(TObject& target, const TPropInfo& prop, const TFormToken& nameAt) {
  const TFormToken at = lexer_.Current();
  const std::string context = "Cannot set property " + prop.Name + ": ";
  auto readOnly = [&] { lexer_.Fail(nameAt, "Property " + prop.Name + " is read-only"); };
  const TTypeInfo& type = *prop.Type;
  switch (type.Kind) {
    case TTypeKind::Boolean: {
      if (!prop.SetOrd) readOnly();
      if (!at.IsKeyword("True") && !at.IsKeyword("False"))
        lexer_.Fail(at, "Expected True or False for property " + prop.Name + ", found " + at.Describe());
      lexer_.Next();
      Guard(at, context, [&] { prop.SetOrd(target, at.IsKeyword("True") ? 1 : 0); });
      return;
    }
    case TTypeKind::Integer: {
      if (!prop.SetOrd) readOnly();
      int64_t v = ReadInteger();
      if (v < INT32_MIN || v > INT32_MAX) lexer_.Fail(at, "Value out of range for integer property " + prop.Name);
      Guard(at, context, [&] { prop.SetOrd(target, v); });
      return;
    }
    case TTypeKind::Enumeration: {
      if (!prop.SetOrd) readOnly();
      std::string name = ExpectIdentifier(("a value of " + type.Name).c_str());
      auto v = type.EnumValue(name);
      if (!v) lexer_.Fail(at, "Invalid value " + name + " for property " + prop.Name + " of type " + type.Name);
      Guard(at, context, [&] { prop.SetOrd(target, *v); });
      return;
    }
    case TTypeKind::Set: {
      if (!prop.SetOrd) readOnly();
      int64_t mask = ReadSet(type);
      Guard(at, context, [&] { prop.SetOrd(target, mask); });
      return;
    }
    case TTypeKind::String: {
      if (!prop.SetStr) readOnly();
      if (at.Kind != TFormTokenKind::String)
        lexer_.Fail(at, "Expected a string for property " + prop.Name + ", found " + at.Describe());
      std::string v = ReadStringExpr();
      Guard(at, context, [&] { prop.SetStr(target, v); });
      return;
    }
    case TTypeKind::Method: {
      if (!prop.SetStr) readOnly();
      std::string handler = ExpectIdentifier("the name of an event handler");
      Guard(at, context, [&] { prop.SetStr(target, handler); });
      return;
    }
    case TTypeKind::Class:
      break;
  }
  if (IsComponentType(prop)) {
    if (!prop.SetObj) readOnly();
    return ReadReference(target, prop);
  }
  TObject* object = prop.GetObj ? prop.GetObj(target) : nullptr;
  if (Is<TCollection>(object)) {
    if (!at.Is('<')) lexer_.Fail(at, "Expected \"<\" for collection " + prop.Name + ", found " + at.Describe());
    return ReadCollection(*static_cast<TCollection*>(object));
  }
  if (Is<TStrings>(object)) lexer_.Fail(nameAt, "Expected " + prop.Name + ".Strings for a string list");
  lexer_.Fail(nameAt, "Property " + prop.Name + " is an object: set its properties as " + prop.Name + ".Name");
}

void TFormReader::ReadReference(TObject& target, const TPropInfo& prop) {
  const TFormToken at = lexer_.Current();
  std::string name = ExpectIdentifier("the name of a component");
  if (SameText(name, "nil")) {
    Guard(at, "Cannot set property " + prop.Name + ": ", [&] { prop.SetObj(target, nullptr); });
    return;
  }
  while (lexer_.Current().Is('.')) {
    lexer_.Next();
    name += "." + ExpectIdentifier("a component name after \".\"");
  }
  fixups_.push_back({&target, &prop, std::move(name), at});
}

std::string TFormReader::ReadStringExpr() {
  const TFormToken& t = lexer_.Current();
  if (t.Kind != TFormTokenKind::String) lexer_.Fail(t, "Expected a string, found " + t.Describe());
  std::string value = t.Text;
  lexer_.Next();
  while (lexer_.Current().Is('+')) {
    lexer_.Next();
    const TFormToken& next = lexer_.Current();
    if (next.Kind != TFormTokenKind::String) lexer_.Fail(next, "Expected a string after \"+\", found " + next.Describe());
    value += next.Text;
    lexer_.Next();
  }
  return value;
}

void TFormReader::ReadStringList(TStrings& list) {
  const TFormToken at = lexer_.Current();
  Expect('(');
  std::vector<std::string> items;
  while (!lexer_.Current().Is(')')) items.push_back(ReadStringExpr());
  lexer_.Next();
  Guard(at, "Cannot fill the list: ", [&] {
    list.BeginUpdate();
    list.Clear();
    for (const auto& s : items) list.Add(s);
    list.EndUpdate();
  });
}

void TFormReader::ReadCollection(TCollection& collection) {
  const TFormToken at = lexer_.Current();
  Expect('<');
  EnterNesting(at);
  Guard(at, "Cannot clear the collection: ", [&] { collection.Clear(); });
  while (lexer_.Current().IsKeyword("item")) {
    const TFormToken itemAt = lexer_.Current();
    lexer_.Next();
    TCollectionItem* item = nullptr;
    Guard(itemAt, "Cannot add an item: ", [&] { item = collection.Add(); });
    ReadProperties(*item);
    if (!lexer_.Current().IsKeyword("end"))
      lexer_.Fail(lexer_.Current(), "Expected a property or \"end\", found " + lexer_.Current().Describe());
    lexer_.Next();
  }
  if (!lexer_.Current().Is('>'))
    lexer_.Fail(lexer_.Current(), "Expected \"item\" or \">\", found " + lexer_.Current().Describe());
  lexer_.Next();
  --depth_;
}

int64_t TFormReader::ReadInteger() {
  bool negative = lexer_.Current().Is('-');
  if (negative) lexer_.Next();
  const TFormToken& t = lexer_.Current();
  if (t.Kind != TFormTokenKind::Integer) lexer_.Fail(t, "Expected an integer, found " + t.Describe());
  uint64_t m = t.Magnitude;
  if (!negative && m > static_cast<uint64_t>(INT64_MAX)) lexer_.Fail(t, "Integer value out of range");
  lexer_.Next();
  return negative ? static_cast<int64_t>(0 - m) : static_cast<int64_t>(m);
}

int64_t TFormReader::ReadSet(const TTypeInfo& type) {
  Expect('[');
  int64_t mask = 0;
  for (bool first = true; !lexer_.Current().Is(']'); first = false) {
    if (!first) Expect(',');
    const TFormToken at = lexer_.Current();
    std::string name = ExpectIdentifier(("an element of " + type.Name).c_str());
    auto v = type.EnumValue(name);
    if (!v || *v >= 64) lexer_.Fail(at, "Invalid element " + name + " of set type " + type.Name);
    mask |= int64_t{1} << *v;
  }
  lexer_.Next();
  return mask;
}

}  // namespace rtl
