#include "OutputText.h"
#include "StructureText.h"

#include <iostream>
#include <vector>

#include "rtl/system/Exceptions.h"
#include "rtl/system/SysUtils.h"

namespace designer {

namespace {

template <class F>
void ForEachNode(designide::TSprig* root, F f) {
  std::vector<std::pair<designide::TSprig*, int>> stack{{root, 0}};
  while (!stack.empty()) {
    auto [node, depth] = stack.back();
    stack.pop_back();
    f(node, depth);
    for (int i = node->Count() - 1; i >= 0; --i) stack.emplace_back(node->Child(i), depth + 1);
  }
}

// The child whose unique name is `name`, ignoring case; null when none.
designide::TSprig* ChildByUniqueName(designide::TSprig* parent, const std::string& name) {
  for (int i = 0; i < parent->Count(); ++i)
    if (rtl::AnsiSameText(parent->Child(i)->UniqueName(), name)) return parent->Child(i);
  return nullptr;
}

}  // namespace

void PrintStructure(std::ostream& out, designide::TSprigTree& tree) {
  ForEachNode(tree.Root(), [&](designide::TSprig* node, int depth) {
    out << std::string(static_cast<size_t>(depth) * 2, ' ') << Escaped(node->Caption());
    if (node->AnyProblems()) out << " [problem]";
    if (node->Transient()) out << " [transient]";
    if (node->Unplaced()) out << " [unplaced]";
    out << "\n";
  });
}

designide::TSprig* FindNodeByName(designide::TSprigTree& tree, const std::string& name) {
  if (name.find('/') != std::string::npos) {
    designide::TSprig* node = tree.Root();
    size_t start = 0;
    for (;;) {
      const size_t slash = name.find('/', start);
      const std::string part = name.substr(start, slash == std::string::npos ? std::string::npos : slash - start);
      node = ChildByUniqueName(node, part);
      if (node == nullptr) throw rtl::Exception("The Structure view has no node at \"" + name + "\"");
      if (slash == std::string::npos) return node;
      start = slash + 1;
    }
  }
  if (rtl::TComponent* component = tree.Module()->FindComponent(name))
    if (designide::TSprig* node = tree.NodeFor(component)) return node;
  std::vector<designide::TSprig*> found;
  ForEachNode(tree.Root(), [&](designide::TSprig* node, int) {
    if (node->Item() == nullptr && rtl::AnsiSameText(node->UniqueName(), name)) found.push_back(node);
  });
  if (found.empty()) throw rtl::Exception("The Structure view has no node named \"" + name + "\"");
  if (found.size() > 1)
    throw rtl::Exception("Several nodes are named \"" + name + "\"; name one by its path, such as \"" +
                         NodePath(found[0]) + "\"");
  return found[0];
}

std::string NodePath(designide::TSprig* node) {
  std::string path;
  for (; node != nullptr && node->Parent() != nullptr; node = node->Parent())
    path = node->UniqueName() + (path.empty() ? "" : "/") + path;
  return path;
}

}  // namespace designer
