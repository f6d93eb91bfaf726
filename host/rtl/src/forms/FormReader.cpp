#include "FormReader.h"

#include "rtl/forms/FormPositions.h"
#include "rtl/system/SysUtils.h"

namespace rtl {

TFormReader::TFormReader(const std::string& text, const std::string& source, const TFormReadOptions& options)
    : lexer_(text, source), options_(options) {
  if (options_.Positions != nullptr) options_.Positions->Start(text);
}

bool TFormReader::AtObjectKeyword() const {
  const TFormToken& t = lexer_.Current();
  return t.IsKeyword("object") || t.IsKeyword("inherited") || t.IsKeyword("inline");
}

// Only names of three, six or nine letters can be keywords.
bool TFormReader::AtPropertyName() const {
  const TFormToken& t = lexer_.Current();
  if (t.Kind != TFormTokenKind::Identifier) return false;
  switch (t.Text.size()) {
    case 3: return !t.IsKeyword("end");
    case 6:
    case 9: return !AtObjectKeyword();
    default: return true;
  }
}

std::string_view TFormReader::ExpectIdentifier(const char* what, std::string_view whatMore) {
  const TFormToken& t = lexer_.Current();
  if (t.Kind != TFormTokenKind::Identifier)
    lexer_.Fail(t, std::string("Expected ") + what + std::string(whatMore) + ", found " + t.Describe());
  const std::string_view text = t.Text;
  lexer_.Next();
  return text;
}

void TFormReader::ExpectFailed(char symbol) const {
  const TFormToken& t = lexer_.Current();
  lexer_.Fail(t, std::string("Expected \"") + symbol + "\", found " + t.Describe());
}

void TFormReader::EnterNesting(TFormPos at) {
  if (++depth_ > options_.MaxDepth)
    lexer_.Fail(at, "Nesting deeper than " + std::to_string(options_.MaxDepth) + " levels");
}

TFormReader::THeader TFormReader::ReadHeader() {
  THeader h;
  h.At = lexer_.Current().Pos();
  if (lexer_.Current().IsKeyword("inline"))
    lexer_.Fail(h.At, "Inline frames are not supported");
  if (!lexer_.Current().IsKeyword("object") && !lexer_.Current().IsKeyword("inherited"))
    lexer_.Fail(h.At, "Expected \"object\", found " + lexer_.Current().Describe());
  h.Inherited = lexer_.Current().IsKeyword("inherited");
  lexer_.Next();
  h.ClassAt = lexer_.Current().Pos();
  const std::string_view first = ExpectIdentifier("a component name or class name");
  if (lexer_.Current().Is(':')) {
    lexer_.Next();
    h.Name = first;
    h.ClassAt = lexer_.Current().Pos();
    h.ClassName = ExpectIdentifier("a class name");
  } else {
    h.ClassName = first;
  }
  return h;
}

std::unique_ptr<TComponent> TFormReader::ReadRoot() {
  THeader h = ReadHeader();
  const std::string className(h.ClassName);
  const TClass* cls = FindClass(className);
  if (cls == nullptr) lexer_.Fail(h.ClassAt, "Class " + className + " not found");
  if (!cls->InheritsFrom(TComponent::StaticClass()) || !cls->CanCreate())
    lexer_.Fail(h.ClassAt, "Class " + className + " cannot be the root of a form file");
  Guard(h.ClassAt, "Cannot create ", h.ClassName, ": ", [&] {
    root_.reset(static_cast<TComponent*>(cls->Create(nullptr)));
    if (options_.Designing) root_->SetDesigning(true);
    root_->SetLoadingState(true);
    root_->SetName(std::string(h.Name));
  });
  if (options_.Positions != nullptr) options_.Positions->AddObject(h.Name, h.At.Offset);
  if (options_.OnRootCreated) options_.OnRootCreated(*root_);
  loaded_.push_back({root_.get(), h.At});
  ReadBody(*root_, h.At);
  if (lexer_.Current().Kind != TFormTokenKind::End)
    lexer_.Fail(lexer_.Current(), "Expected end of file after the root's \"end\", found " +
                                      lexer_.Current().Describe());
  ResolveReferences();
  CallLoaded();
  return std::move(root_);
}

// Sibling objects mostly share a class: the last one found is asked first.
const TClass* TFormReader::FindClassOf(std::string_view name) {
  if (lastClass_ == nullptr || !SameText(name, lastClass_->ClassName()))
    lastClass_ = FindClass(std::string(name));
  return lastClass_;
}

TComponent* TFormReader::CreateChild(const THeader& h) {
  TComponent* child = nullptr;
  const std::string name(h.Name);
  if (h.Inherited) {
    child = root_->FindComponent(name);
    if (child == nullptr) lexer_.Fail(h.At, "Inherited component " + name + " not found");
    if (!SameText(child->ClassName(), h.ClassName))
      lexer_.Fail(h.ClassAt, "Inherited component " + name + " is a " + child->ClassName() + ", not a " +
                                 std::string(h.ClassName));
  } else {
    const TClass* cls = FindClassOf(h.ClassName);
    if (cls == nullptr) lexer_.Fail(h.ClassAt, "Class " + std::string(h.ClassName) + " not found");
    if (!cls->InheritsFrom(TComponent::StaticClass()))
      lexer_.Fail(h.ClassAt, "Class " + std::string(h.ClassName) + " is not a component class");
    Guard(h.ClassAt, "Cannot create ", h.ClassName, ": ", [&] {
      // Owned by the root from the first moment, so an error later frees it.
      child = static_cast<TComponent*>(cls->Create(root_.get()));
    });
  }
  Guard(h.At, "", "", "", [&] {
    child->SetLoadingState(true);
    if (!h.Inherited) child->SetName(name);
  });
  if (options_.Positions != nullptr) options_.Positions->AddObject(name, h.At.Offset);
  loaded_.push_back({child, h.At});
  return child;
}

void TFormReader::ReadBody(TComponent& component, TFormPos at) {
  EnterNesting(at);
  ReadProperties(component);
  while (AtObjectKeyword()) {
    THeader h = ReadHeader();
    if (depth_ + 1 > options_.MaxDepth) EnterNesting(h.At);  // refuse before creating anything
    ReadBody(*CreateChild(h), h.At);
  }
  if (!lexer_.Current().IsKeyword("end")) {
    lexer_.Fail(lexer_.Current(), "Expected \"object\" or \"end\", found " + lexer_.Current().Describe());
  }
  lexer_.Next();
  --depth_;
}

void TFormReader::ReadProperties(TObject& target) {
  while (AtPropertyName()) ReadProperty(target);
}

void TFormReader::ResolveReferences() {
  for (const TFixup& f : fixups_) {
    TComponent* found = nullptr;
    auto dot = f.Name.find('.');
    if (dot == std::string::npos) {
      found = root_->FindComponent(f.Name);
      if (found == nullptr && SameText(f.Name, root_->Name())) found = root_.get();
    } else if (SameText(f.Name.substr(0, dot), root_->Name())) {
      found = root_->FindComponent(f.Name.substr(dot + 1));
    }
    if (found == nullptr) lexer_.Fail(f.At, "Unknown component " + f.Name + " in property " + f.Prop->Name);
    GuardSet(f.At, *f.Prop, [&] { f.Prop->SetObj(*f.Target, found); });
  }
}

void TFormReader::CallLoaded() {
  for (const TLoadedEntry& e : loaded_) {
    Guard(e.At, "Loading ", e.Component->Name(), " failed: ", [&] {
      e.Component->Loaded();
      e.Component->SetLoadingState(false);
    });
  }
}

std::unique_ptr<TComponent> ReadComponentText(const std::string& text, const std::string& sourceName,
                                              const TFormReadOptions& options) {
  TFormReader reader(text, sourceName, options);
  return reader.ReadRoot();
}

std::unique_ptr<TComponent> ReadComponentFile(const std::string& path, const TFormReadOptions& options) {
  std::string text = options.Stamp != nullptr ? ReadFileToString(path, *options.Stamp) : ReadFileToString(path);
  return ReadComponentText(text, path, options);
}

EFormFileError::EFormFileError(std::string source, int line, int column, std::string reason)
    : EParserError(source + ":" + std::to_string(line) + ":" + std::to_string(column) + ": " + reason),
      source_(std::move(source)),
      line_(line),
      column_(column),
      reason_(std::move(reason)) {}

}  // namespace rtl
