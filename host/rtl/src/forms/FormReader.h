#pragma once
// The parser behind ReadComponentText: builds the component tree while it
// reads, records references for resolution at the end, and owns everything
// it created until the whole text has been read without error.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "FormLexer.h"
#include "FormProperties.h"
#include "rtl/objects/Component.h"
#include "rtl/forms/FormFiles.h"
#include "rtl/text/LineText.h"

namespace rtl {

class TStrings;
class TCollection;

class TFormReader {
 public:
  TFormReader(const std::string& text, const std::string& source, const TFormReadOptions& options);
  std::unique_ptr<TComponent> ReadRoot();

 private:
  struct TFixup {
    TObject* Target;
    const TPropInfo* Prop;
    std::string Name;
    TFormPos At;
  };
  struct TLoadedEntry {
    TComponent* Component;
    TFormPos At;
  };
  struct THeader {
    bool Inherited = false;
    std::string_view Name;  // both point into the text being read
    std::string_view ClassName;
    TFormPos At, ClassAt;
  };

  THeader ReadHeader();
  TComponent* CreateChild(const THeader& header);
  const TClass* FindClassOf(std::string_view name);
  void ReadBody(TComponent& component, TFormPos at);
  void ReadProperties(TObject& target);
  void ReadProperty(TObject& target);
  void ReadPropertyPath(TObject& target, const TPropInfo* prop, std::string_view name, TFormPos at);
  [[noreturn, gnu::cold]] void ReadOnly(TFormPos at, const TPropInfo& prop) const;
  [[noreturn, gnu::cold]] void UnknownProperty(TFormPos at, std::string_view name, const TObject& object) const;
  TObject* SubObject(TObject& object, const TPropInfo* prop, std::string_view name, TFormPos at);
  void ReadValue(TObject& target, const TPropInfo& prop, TFormPos nameAt);
  void ReadReference(TObject& target, const TPropInfo& prop);
  // `positions`: the list's entries are recorded there, its pieces already
  // being recorded by the lexer.
  void ReadStringList(TStrings& list, TFormPositions* positions);
  void ReadCollection(TCollection& collection);
  // The string with its "+" continuations; valid until the next call.
  const std::string& ReadStringExpr();
  int64_t ReadInteger();
  int64_t ReadSet(const TTypeInfo& type);
  // The identifier, pointing into the text being read.
  std::string_view ExpectIdentifier(const char* what, std::string_view whatMore = {});
  // Most symbols stand where they are expected: the check is inline, the
  // message is built out of line.
  void Expect(char symbol) {
    if (!lexer_.Current().Is(symbol)) ExpectFailed(symbol);
    lexer_.Next();
  }
  [[noreturn, gnu::cold]] void ExpectFailed(char symbol) const;
  void EnterNesting(TFormPos at);
  void ResolveReferences();
  void CallLoaded();
  // Runs action; an error it raises is reported at `at` as
  // "<prefix><subject><suffix><message>" (built only then).
  template <class Action>
  void Guard(TFormPos at, std::string_view prefix, std::string_view subject, std::string_view suffix,
             Action&& action) {
    try {
      action();
    } catch (const EFormFileError&) {
      throw;
    } catch (const std::exception& e) {
      std::string reason(prefix);
      reason.append(subject).append(suffix).append(e.what());
      lexer_.Fail(at, reason);
    }
  }
  template <class Action>
  void GuardSet(TFormPos at, const TPropInfo& prop, Action&& action) {
    Guard(at, "Cannot set property ", prop.Name, ": ", std::forward<Action>(action));
  }
  bool AtObjectKeyword() const;
  // An identifier that starts a property line rather than an object or an "end".
  bool AtPropertyName() const;

  TFormLexer lexer_;
  TFormReadOptions options_;
  TFormProperties properties_;
  std::unique_ptr<TComponent> root_;
  std::vector<TFixup> fixups_;
  std::vector<TLoadedEntry> loaded_;
  int depth_ = 0;
  std::string stringValue_;
  TLineText listLines_;  // the entries of the string list being read
  const TClass* lastClass_ = nullptr;
};

}  // namespace rtl
