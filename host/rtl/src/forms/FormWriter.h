#pragma once
// The writer behind WriteComponentText: one pass over the root's published
// properties and its owned components, in the canonical layout.
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "rtl/objects/Component.h"
#include "rtl/forms/FormFiles.h"

namespace rtl {

class TStrings;
class TCollection;

// Longest piece of a string on one line; longer strings, and strings with
// line breaks, are cut into pieces joined by "+".
constexpr size_t kFormStringPiece = 64;

// True when `value` is written on one line.
bool FormStringFitsOneLine(std::string_view value);
// Appends one piece as quoted text with #nnn codes for control characters.
void AppendQuotedPiece(std::string& out, std::string_view piece);
// Appends the string; multi-line strings put each piece on its own line at
// `indent`, every piece but the last followed by " +". The caller has
// written the text before the value and, for multi-line strings, the line
// break before the first piece.
void AppendFormString(std::string& out, std::string_view value, int indent);

class TFormWriter {
 public:
  explicit TFormWriter(const TComponent& root, TFormStringFilter shown = {});
  // The whole text.
  std::string Write();

  // What an object-valued property holds: a reference to a component, a
  // string list, a collection, or (Unknown) whatever the object at hand is.
  enum class TValueKind { Unknown, Reference, Strings, Collection };

 private:
  void WriteObject(const TComponent& component, int indent);
  void WriteProperties(const TObject& object, const std::string& prefix, int indent, int depth);
  void WriteProperty(const TObject& object, const TPropInfo& prop, TValueKind kind, const std::string& prefix,
                     int indent, int depth);
  void WriteStringList(const TStrings& list, const std::string& prefix, const std::string& name, int indent);
  void WriteCollection(const TCollection& collection, const std::string& prefix, const std::string& name, int indent,
                       int depth);
  const std::string& ReferenceName(const TObject& object, const TPropInfo& prop, const TObject* target) const;
  void StartLine(int indent, const std::string& prefix, const std::string& name);  // "<indent>prefix.name = "
  struct TWrittenProperty {
    const TPropInfo* Prop;
    TValueKind Kind;
  };
  struct TClassProperties {
    std::vector<TWrittenProperty> All;          // published order
    std::vector<TWrittenProperty> WithoutName;  // for components: Name is in the object line
    bool IsComponent = false;
    bool PublishesPosition = false;  // else the design position follows the properties
  };
  const TClassProperties& PropertiesOf(const TClass& cls);
  void CollectInheritedNames();

  const TComponent& root_;
  TFormStringFilter shown_;  // empty: values as stored
  std::unordered_set<std::string> inherited_;  // upper-case names
  std::unordered_map<const TClass*, TClassProperties> properties_;  // built on first use
  std::string out_;
};

}  // namespace rtl
