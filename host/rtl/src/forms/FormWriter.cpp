#include "FormWriter.h"

#include <charconv>
#include <memory>

#include "rtl/files/AtomicFile.h"
#include "rtl/objects/Collection.h"
#include "rtl/forms/FormFiles.h"
#include "rtl/text/Strings.h"
#include "rtl/system/SysUtils.h"

namespace rtl {

namespace {
constexpr int kMaxPropertyDepth = 64;

std::string Label(const TObject& object) {
  if (Is<TComponent>(&object) && !static_cast<const TComponent&>(object).Name().empty())
    return static_cast<const TComponent&>(object).Name();
  return object.ClassName();
}

// What an object-valued property holds, as far as its declared class tells.
TFormWriter::TValueKind KindOf(const TPropInfo& prop) {
  const TClass* cls = prop.Type->ClassType;
  if (prop.Type->Kind != TTypeKind::Class || cls == nullptr) return TFormWriter::TValueKind::Unknown;
  if (cls->InheritsFrom(TComponent::StaticClass())) return TFormWriter::TValueKind::Reference;
  if (cls->InheritsFrom(TStrings::StaticClass())) return TFormWriter::TValueKind::Strings;
  if (cls->InheritsFrom(TCollection::StaticClass())) return TFormWriter::TValueKind::Collection;
  return TFormWriter::TValueKind::Unknown;
}

[[noreturn]] void Unwritable(const TObject& object, const std::string& prop, const std::string& why) {
  throw EPropertyError("Cannot write property " + prop + " of " + Label(object) + ": " + why);
}
}  // namespace

TFormWriter::TFormWriter(const TComponent& root, TFormStringFilter shown) : root_(root), shown_(std::move(shown)) {}

std::string TFormWriter::Write() {
  CollectInheritedNames();
  WriteObject(root_, 0);
  return std::move(out_);
}

// Components that a fresh instance of the root's class creates itself come
// from the ancestor, and are written as "inherited".
void TFormWriter::CollectInheritedNames() {
  const TClass& cls = root_.ClassType();
  if (!cls.CanCreate()) return;
  std::unique_ptr<TObject> fresh;
  try {
    fresh.reset(cls.Create(nullptr));
  } catch (const std::exception&) {
    return;  // no ancestor instance: nothing is inherited
  }
  if (!Is<TComponent>(fresh.get())) return;
  const auto& ancestor = static_cast<const TComponent&>(*fresh);
  for (int i = 0; i < ancestor.ComponentCount(); ++i) inherited_.insert(UpperCase(ancestor.Components(i)->Name()));
}

void TFormWriter::WriteObject(const TComponent& component, int indent) {
  out_.append(static_cast<size_t>(indent), ' ');
  bool isRoot = &component == &root_;
  bool inherited = !isRoot && !inherited_.empty() && inherited_.count(UpperCase(component.Name())) != 0;
  out_.append(inherited ? "inherited " : "object ");
  if (!component.Name().empty()) {
    out_.append(component.Name());
    out_.append(": ");
  }
  out_.append(component.ClassName());
  out_ += '\n';
  WriteProperties(component, "", indent + 2, 0);
  if (!PropertiesOf(component.ClassType()).PublishesPosition) {
    for (const char* name : {"Left", "Top"})
      WriteProperty(component, *DesignPositionProperty(name), TValueKind::Unknown, "", indent + 2, 0);
  }
  if (isRoot) {
    for (int i = 0; i < component.ComponentCount(); ++i) WriteObject(*component.Components(i), indent + 2);
  }
  out_.append(static_cast<size_t>(indent), ' ');
  out_.append("end\n");
}

void TFormWriter::WriteProperties(const TObject& object, const std::string& prefix, int indent, int depth) {
  if (depth > kMaxPropertyDepth) Unwritable(object, prefix, "objects nested too deeply");
  const TClassProperties& props = PropertiesOf(object.ClassType());
  // A component's Name is written in its object line.
  bool component = prefix.empty() && props.IsComponent;
  for (const TWrittenProperty& p : component ? props.WithoutName : props.All)
    WriteProperty(object, *p.Prop, p.Kind, prefix, indent, depth);
}

const TFormWriter::TClassProperties& TFormWriter::PropertiesOf(const TClass& cls) {
  auto [it, added] = properties_.try_emplace(&cls);
  TClassProperties& p = it->second;
  if (added) {
    p.IsComponent = cls.InheritsFrom(TComponent::StaticClass());
    p.PublishesPosition = cls.FindProperty("Left") != nullptr || cls.FindProperty("Top") != nullptr;
    for (const TPropInfo* prop : cls.Properties()) {
      p.All.push_back({prop, KindOf(*prop)});
      if (!SameText(prop->Name, "Name")) p.WithoutName.push_back(p.All.back());
    }
  }
  return p;
}

void TFormWriter::StartLine(int indent, const std::string& prefix, const std::string& name) {
  out_.append(static_cast<size_t>(indent), ' ');
  out_.append(prefix);
  out_.append(name);
  out_.append(" = ");
}

void TFormWriter::WriteProperty(const TObject& object, const TPropInfo& prop, TValueKind kind,
                                const std::string& prefix, int indent, int depth) {
  if (prop.Stored && !prop.Stored(object)) return;
  const std::string& name = prop.Name;
  const TTypeInfo& type = *prop.Type;
  switch (type.Kind) {
    case TTypeKind::Boolean:
    case TTypeKind::Integer:
    case TTypeKind::Enumeration:
    case TTypeKind::Set: {
      if (!prop.GetOrd || !prop.SetOrd) return;  // read-only: cannot be read back
      int64_t v = prop.GetOrd(object);
      if (prop.DefaultOrd && v == *prop.DefaultOrd) return;
      if (type.Kind == TTypeKind::Enumeration) {
        const std::string& text = type.EnumName(v);
        if (text.empty()) Unwritable(object, prefix + name, "value " + std::to_string(v) + " has no name in " + type.Name);
        StartLine(indent, prefix, name);
        out_.append(text);
      } else if (type.Kind == TTypeKind::Set) {
        // Checked before the line starts: a refused value leaves no half line.
        for (size_t bit = 0; bit < 64; ++bit)
          if ((static_cast<uint64_t>(v) & (uint64_t{1} << bit)) != 0 && type.EnumName(static_cast<int64_t>(bit)).empty())
            Unwritable(object, prefix + name, "element " + std::to_string(bit) + " has no name");
        StartLine(indent, prefix, name);
        out_ += '[';
        const char* separator = "";
        for (size_t bit = 0; bit < 64; ++bit) {
          if ((static_cast<uint64_t>(v) & (uint64_t{1} << bit)) == 0) continue;
          out_.append(separator);
          out_.append(type.EnumName(static_cast<int64_t>(bit)));
          separator = ", ";
        }
        out_ += ']';
      } else {
        StartLine(indent, prefix, name);
        if (type.Kind == TTypeKind::Boolean) {
          out_.append(v != 0 ? "True" : "False");
        } else {
          char digits[24];
          char* end = std::to_chars(digits, digits + sizeof digits, v).ptr;
          out_.append(std::string_view(digits, static_cast<size_t>(end - digits)));
        }
      }
      out_ += '\n';
      return;
    }
    case TTypeKind::String: {
      if (!prop.GetStr || !prop.SetStr) return;
      std::string v = prop.GetStr(object);
      if (v == prop.DefaultStr) return;
      if (shown_) v = shown_(v, false);
      if (FormStringFitsOneLine(v)) {
        StartLine(indent, prefix, name);
        AppendQuotedPiece(out_, v);
      } else {
        out_.append(static_cast<size_t>(indent), ' ');
        out_.append(prefix);
        out_.append(name);
        out_.append(" =\n");
        AppendFormString(out_, v, indent + 2);
      }
      out_ += '\n';
      return;
    }
    case TTypeKind::Method: {
      if (!prop.GetStr || !prop.SetStr) return;
      std::string handler = prop.GetStr(object);
      if (handler.empty()) return;
      if (!IsValidIdent(handler)) Unwritable(object, prefix + name, "\"" + handler + "\" is not a method name");
      StartLine(indent, prefix, name);
      out_.append(handler);
      out_ += '\n';
      return;
    }
    case TTypeKind::Class:
      break;
  }
  const TObject* target = prop.GetObj ? prop.GetObj(object) : nullptr;
  if (target == nullptr) return;
  if (kind == TValueKind::Unknown)
    kind = Is<TStrings>(target) ? TValueKind::Strings
           : Is<TCollection>(target) ? TValueKind::Collection
                                     : TValueKind::Unknown;
  if (kind == TValueKind::Reference) {
    if (!prop.SetObj) return;
    StartLine(indent, prefix, name);
    out_.append(ReferenceName(object, prop, target));
    out_ += '\n';
  } else if (kind == TValueKind::Strings) {
    WriteStringList(static_cast<const TStrings&>(*target), prefix, name, indent);
  } else if (kind == TValueKind::Collection) {
    WriteCollection(static_cast<const TCollection&>(*target), prefix, name, indent, depth);
  } else {
    WriteProperties(*target, prefix + name + ".", indent, depth + 1);
  }
}

void TFormWriter::WriteStringList(const TStrings& list, const std::string& prefix, const std::string& name,
                                  int indent) {
  int count = list.Count();
  if (count == 0) return;
  out_.append(static_cast<size_t>(indent), ' ');
  out_.append(prefix);
  out_.append(name);
  out_.append(".Strings = (\n");
  // A plain string list lends its entries; other lists hand out copies.
  const auto* kept =
      &list.ClassType() == &TStringList::StaticClass() ? static_cast<const TStringList*>(&list) : nullptr;
  std::string copy;
  for (int i = 0; i < count; ++i) {
    const std::string_view stored = kept != nullptr ? kept->Strings(i) : std::string_view(copy = list.Get(i));
    std::string shownItem;
    const std::string_view item = shown_ ? std::string_view(shownItem = shown_(stored, true)) : stored;
    if (FormStringFitsOneLine(item)) {
      out_.append(static_cast<size_t>(indent + 2), ' ');
      AppendQuotedPiece(out_, item);
    } else {
      AppendFormString(out_, item, indent + 2);
    }
    out_.append(i + 1 == count ? ")\n" : "\n");
  }
}

void TFormWriter::WriteCollection(const TCollection& collection, const std::string& prefix, const std::string& name,
                                  int indent, int depth) {
  int count = collection.Count();
  if (count == 0) return;
  if (depth + 1 > kMaxPropertyDepth) Unwritable(collection, prefix + name, "collections nested too deeply");
  out_.append(static_cast<size_t>(indent), ' ');
  out_.append(prefix);
  out_.append(name);
  out_.append(" = <\n");
  for (int i = 0; i < count; ++i) {
    out_.append(static_cast<size_t>(indent + 2), ' ');
    out_.append("item\n");
    WriteProperties(*collection.Items(i), "", indent + 4, depth + 1);
    out_.append(static_cast<size_t>(indent + 2), ' ');
    out_.append(i + 1 == count ? "end>\n" : "end\n");
  }
}

const std::string& TFormWriter::ReferenceName(const TObject& object, const TPropInfo& prop, const TObject* target) const {
  if (!Is<TComponent>(target)) Unwritable(object, prop.Name, "it refers to an object that is not a component");
  const auto* component = static_cast<const TComponent*>(target);
  if (component != &root_ && component->Owner() != &root_)
    Unwritable(object, prop.Name, "it refers to " + Label(*component) + ", which is not part of this module");
  if (component->Name().empty()) Unwritable(object, prop.Name, "it refers to an unnamed component");
  return component->Name();
}

std::string WriteComponentText(const TComponent& root) { return TFormWriter(root).Write(); }

std::string WriteComponentText(const TComponent& root, const TFormStringFilter& shown) {
  return TFormWriter(root, shown).Write();
}

// The whole text is made before the file is touched: a value that cannot be
// written leaves the old file as it was.
TFileStamp WriteComponentFile(const std::string& path, const TComponent& root, const TFileStamp& read) {
  const std::string text = WriteComponentText(root);
  TAtomicFile file(path, read);
  file.Write(text);
  file.Commit();
  return file.Stamp();
}

}  // namespace rtl
