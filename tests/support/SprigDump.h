#pragma once
// A sprig tree as text for comparisons: one node a line, two spaces deeper
// per level, its caption and marks: " !" problem, " ~" transient,
// " ?" unplaced.
#include <string>

#include "designide/TreeIntf.h"

namespace dvtest {

inline void DumpSprigs(designide::TSprig* node, int depth, std::string& text) {
  text += std::string(static_cast<size_t>(depth) * 2, ' ') + node->Caption();
  if (node->AnyProblems()) text += " !";
  if (node->Transient()) text += " ~";
  if (node->Unplaced()) text += " ?";
  text += "\n";
  for (int i = 0; i < node->Count(); ++i) DumpSprigs(node->Child(i), depth + 1, text);
}

inline std::string DumpSprigs(designide::TSprig* root) {
  std::string text;
  DumpSprigs(root, 0, text);
  return text;
}

}  // namespace dvtest
