#include "OutputText.h"
#include "StructureText.h"

#include <algorithm>
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

// Whether `name` names the node as a person may: by its unique name, by
// its caption as structure prints it, or by the caption's first part (before
// ": " or " ("), ignoring case.
bool Names(designide::TSprig* node, const std::string& name) {
  if (rtl::AnsiSameText(node->UniqueName(), name)) return true;
  const std::string caption = node->Caption();
  if (rtl::AnsiSameText(caption, name)) return true;
  const size_t end = std::min(caption.find(": "), caption.find(" ("));
  return end != std::string::npos && rtl::AnsiSameText(caption.substr(0, end), name);
}

// The nodes below `parent` that the path names, each step a name as above.
// A name may hold "/" itself, so each way of reading the path is tried.
void FindByPath(designide::TSprig* parent, const std::string& path, std::vector<designide::TSprig*>& found) {
  for (int i = 0; i < parent->Count(); ++i) {
    designide::TSprig* child = parent->Child(i);
    if (Names(child, path) && std::find(found.begin(), found.end(), child) == found.end()) found.push_back(child);
    for (size_t slash = path.find('/'); slash != std::string::npos; slash = path.find('/', slash + 1))
      if (Names(child, path.substr(0, slash))) FindByPath(child, path.substr(slash + 1), found);
  }
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
  if (rtl::TComponent* component = tree.Module()->FindComponent(name))
    if (designide::TSprig* node = tree.NodeFor(component)) return node;
  std::vector<designide::TSprig*> found;
  ForEachNode(tree.Root(), [&](designide::TSprig* node, int) {
    if (node != tree.Root() && node->Item() == nullptr && Names(node, name)) found.push_back(node);
  });
  if (found.empty()) FindByPath(tree.Root(), name, found);
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
