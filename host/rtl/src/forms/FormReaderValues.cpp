// Property values of the form reader: the path "A.B.C = value" and every
// kind of value the published-property tables know.
#include <climits>

#include "FormReader.h"
#include "rtl/forms/FormPositions.h"
#include "rtl/objects/Collection.h"
#include "rtl/text/Strings.h"
#include "rtl/system/SysUtils.h"

namespace rtl {

namespace {
bool IsComponentType(const TPropInfo& prop) {
  return prop.Type->ClassType != nullptr && prop.Type->ClassType->InheritsFrom(TComponent::StaticClass());
}
}  // namespace

void TFormReader::ReadOnly(TFormPos at, const TPropInfo& prop) const {
  lexer_.Fail(at, "Property " + prop.Name + " is read-only");
}

void TFormReader::UnknownProperty(TFormPos at, std::string_view name, const TObject& object) const {
  lexer_.Fail(at, "Unknown property " + std::string(name) + " of class " + object.ClassName());
}

// Each part of "A.B.C" but the last names an owned object whose property
// follows; they are resolved while the path is read.
TObject* TFormReader::SubObject(TObject& object, const TPropInfo* prop, std::string_view name, TFormPos at) {
  if (prop == nullptr) UnknownProperty(at, name, object);
  TObject* sub = prop->Type->Kind == TTypeKind::Class && !IsComponentType(*prop) && prop->GetObj
                     ? prop->GetObj(object)
                     : nullptr;
  if (sub == nullptr)
    lexer_.Fail(at, "Property " + std::string(name) + " of class " + object.ClassName() + " has no sub-properties");
  return sub;
}

// The first name of a line is a property of `target`; names after a dot
// belong to sub-objects.
void TFormReader::ReadProperty(TObject& target) {
  const TFormPos at = lexer_.Current().Pos();
  const std::string_view name = lexer_.Current().Text;  // points into the text being read
  lexer_.Next();
  if (lexer_.Current().Is('.')) return ReadPropertyPath(target, properties_.Find(target.ClassType(), name), name, at);
  Expect('=');
  const TPropInfo* prop = properties_.Find(target.ClassType(), name);
  if (prop == nullptr && Is<TComponent>(&target)) prop = DesignPositionProperty(name);
  if (prop == nullptr) UnknownProperty(at, name, target);
  ReadValue(target, *prop, at);
}

// "A.B.C = value", the lexer at the first dot: `prop` is A's property.
void TFormReader::ReadPropertyPath(TObject& target, const TPropInfo* prop, std::string_view name, TFormPos at) {
  const TFormPos pathAt = at;
  TObject* object = &target;
  for (;;) {
    lexer_.Next();  // the dot
    if (lexer_.Current().Kind != TFormTokenKind::Identifier)
      lexer_.Fail(lexer_.Current(), "Expected a property name after \".\", found " + lexer_.Current().Describe());
    object = SubObject(*object, prop, name, at);
    at = lexer_.Current().Pos();
    name = lexer_.Current().Text;
    lexer_.Next();
    if (!lexer_.Current().Is('.')) break;
    prop = properties_.Find(object->ClassType(), name);
  }
  Expect('=');
  if (SameText(name, "Strings") && Is<TStrings>(object)) {
    // A component's lists are recorded from before the lexer reads their
    // first entry.
    TFormPositions* positions = Is<TComponent>(&target) ? options_.Positions : nullptr;
    if (positions != nullptr) {
      positions->BeginList(static_cast<TComponent&>(target).Name(), pathAt.Offset, at.Offset);
      lexer_.RecordPieces(&positions->Pieces());
    }
    ReadStringList(*static_cast<TStrings*>(object), positions);
    return;
  }
  prop = properties_.Find(object->ClassType(), name);
  if (prop == nullptr) UnknownProperty(at, name, *object);
  ReadValue(*object, *prop, at);
}

void TFormReader::ReadValue(TObject& target, const TPropInfo& prop, TFormPos nameAt) {
  const TFormToken& token = lexer_.Current();
  const TFormPos at = token.Pos();
  const TTypeInfo& type = *prop.Type;
  switch (type.Kind) {
    case TTypeKind::Boolean: {
      if (!prop.SetOrd) ReadOnly(nameAt, prop);
      if (!token.IsKeyword("True") && !token.IsKeyword("False"))
        lexer_.Fail(at, "Expected True or False for property " + prop.Name + ", found " + token.Describe());
      const int64_t value = token.IsKeyword("True") ? 1 : 0;
      lexer_.Next();
      GuardSet(at, prop, [&] { prop.SetOrd(target, value); });
      return;
    }
    case TTypeKind::Integer: {
      if (!prop.SetOrd) ReadOnly(nameAt, prop);
      int64_t v = ReadInteger();
      if (v < INT32_MIN || v > INT32_MAX) lexer_.Fail(at, "Value out of range for integer property " + prop.Name);
      GuardSet(at, prop, [&] { prop.SetOrd(target, v); });
      return;
    }
    case TTypeKind::Enumeration: {
      if (!prop.SetOrd) ReadOnly(nameAt, prop);
      const std::string_view name = ExpectIdentifier("a value of ", type.Name);
      auto v = type.EnumValue(name);
      if (!v) lexer_.Fail(at, "Invalid value " + std::string(name) + " for property " + prop.Name + " of type " + type.Name);
      GuardSet(at, prop, [&] { prop.SetOrd(target, *v); });
      return;
    }
    case TTypeKind::Set: {
      if (!prop.SetOrd) ReadOnly(nameAt, prop);
      int64_t mask = ReadSet(type);
      GuardSet(at, prop, [&] { prop.SetOrd(target, mask); });
      return;
    }
    case TTypeKind::String: {
      if (!prop.SetStr) ReadOnly(nameAt, prop);
      if (token.Kind != TFormTokenKind::String)
        lexer_.Fail(at, "Expected a string for property " + prop.Name + ", found " + token.Describe());
      const std::string& v = ReadStringExpr();
      GuardSet(at, prop, [&] { prop.SetStr(target, v); });
      return;
    }
    case TTypeKind::Method: {
      if (!prop.SetStr) ReadOnly(nameAt, prop);
      const std::string handler(ExpectIdentifier("the name of an event handler"));
      GuardSet(at, prop, [&] { prop.SetStr(target, handler); });
      return;
    }
    case TTypeKind::Class:
      break;
  }
  if (IsComponentType(prop)) {
    if (!prop.SetObj) ReadOnly(nameAt, prop);
    return ReadReference(target, prop);
  }
  TObject* object = prop.GetObj ? prop.GetObj(target) : nullptr;
  if (Is<TCollection>(object)) {
    if (!token.Is('<')) lexer_.Fail(at, "Expected \"<\" for collection " + prop.Name + ", found " + token.Describe());
    return ReadCollection(*static_cast<TCollection*>(object));
  }
  if (Is<TStrings>(object)) lexer_.Fail(nameAt, "Expected " + prop.Name + ".Strings for a string list");
  lexer_.Fail(nameAt, "Property " + prop.Name + " is an object: set its properties as " + prop.Name + ".Name");
}

void TFormReader::ReadReference(TObject& target, const TPropInfo& prop) {
  const TFormPos at = lexer_.Current().Pos();
  std::string name(ExpectIdentifier("the name of a component"));
  if (SameText(name, "nil")) {
    GuardSet(at, prop, [&] { prop.SetObj(target, nullptr); });
    return;
  }
  while (lexer_.Current().Is('.')) {
    lexer_.Next();
    name += '.';
    name += ExpectIdentifier("a component name after \".\"");
  }
  fixups_.push_back({&target, &prop, std::move(name), at});
}

const std::string& TFormReader::ReadStringExpr() {
  const TFormToken& t = lexer_.Current();
  if (t.Kind != TFormTokenKind::String) lexer_.Fail(t, "Expected a string, found " + t.Describe());
  std::string& value = stringValue_;  // keeps its buffer from value to value
  value.assign(t.Text);
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

void TFormReader::ReadStringList(TStrings& list, TFormPositions* positions) {
  const TFormPos at = lexer_.Current().Pos();
  Expect('(');
  // The entries are gathered in one buffer kept from list to list, and the
  // list takes them in one change, its vector made once at its size.
  listLines_.Clear();
  while (!lexer_.Current().Is(')')) {
    listLines_.AddLine(ReadStringExpr());
    if (positions != nullptr) positions->EndEntry(lexer_.Current().Offset);
  }
  lexer_.RecordPieces(nullptr);
  lexer_.Next();
  Guard(at, "Cannot fill the list: ", "", "", [&] { list.SetLines(listLines_); });
}

void TFormReader::ReadCollection(TCollection& collection) {
  const TFormPos at = lexer_.Current().Pos();
  Expect('<');
  EnterNesting(at);
  Guard(at, "Cannot clear the collection: ", "", "", [&] { collection.Clear(); });
  while (lexer_.Current().IsKeyword("item")) {
    const TFormPos itemAt = lexer_.Current().Pos();
    lexer_.Next();
    TCollectionItem* item = nullptr;
    Guard(itemAt, "Cannot add an item: ", "", "", [&] { item = collection.Add(); });
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
    const TFormPos at = lexer_.Current().Pos();
    const std::string_view name = ExpectIdentifier("an element of ", type.Name);
    auto v = type.EnumValue(name);
    if (!v || *v >= 64) lexer_.Fail(at, "Invalid element " + std::string(name) + " of set type " + type.Name);
    mask |= int64_t{1} << *v;
  }
  lexer_.Next();
  return mask;
}

}  // namespace rtl
