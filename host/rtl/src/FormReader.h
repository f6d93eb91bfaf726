#pragma once
// The parser behind ReadComponentText: builds the component tree while it
// reads, records references for resolution at the end, and owns everything
// it created until the whole text has been read without error.
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "FormLexer.h"
#include "rtl/Component.h"
#include "rtl/FormFiles.h"

namespace rtl {

class TStrings;
class TCollection;

class TFormReader {
 public:
  TFormReader(std::string_view text, const std::string& source, const TFormReadOptions& options);
  std::unique_ptr<TComponent> ReadRoot();

 private:
  struct TFixup {
    TObject* Target;
    const TPropInfo* Prop;
    std::string Name;
    TFormToken At;
  };
  struct TLoadedEntry {
    TComponent* Component;
    TFormToken At;
  };
  struct THeader {
    bool Inherited = false;
    std::string Name;
    std::string ClassName;
    TFormToken At, ClassAt;
  };

  THeader ReadHeader();
  TComponent* CreateChild(const THeader& header);
  void ReadBody(TComponent& component, const TFormToken& at);
  void ReadProperties(TObject& target);
  void ReadProperty(TObject& target);
  void ReadValue(TObject& target, const TPropInfo& prop, const TFormToken& nameAt);
  void ReadReference(TObject& target, const TPropInfo& prop);
  void ReadStringList(TStrings& list);
  void ReadCollection(TCollection& collection);
  std::string ReadStringExpr();
  int64_t ReadInteger();
  int64_t ReadSet(const TTypeInfo& type);
  std::string ExpectIdentifier(const char* what);
  void Expect(char symbol);
  void EnterNesting(const TFormToken& at);
  void ResolveReferences();
  void CallLoaded();
  // Runs action; any error it raises is reported at `at`, after `context`.
  void Guard(const TFormToken& at, const std::string& context, const std::function<void()>& action);
  bool AtObjectKeyword() const;

  TFormLexer lexer_;
  TFormReadOptions options_;
  std::unique_ptr<TComponent> root_;
  std::vector<TFixup> fixups_;
  std::vector<TLoadedEntry> loaded_;
  int depth_ = 0;
};

}  // namespace rtl
