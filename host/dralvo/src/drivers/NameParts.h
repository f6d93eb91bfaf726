#pragma once
// Splitting an object name as a person or a form file gives it: quoted
// ("..", [..], `..`) or bare parts joined by dots, with blanks around parts.
#include <string>
#include <vector>

#include "Dialect.h"

namespace dralvo {

struct TNamePart {
  std::string Text;  // quotes removed, doubled quotes undone
  bool Quoted = false;
};

// The parts of `name`; empty when the text is not a well-formed dotted name
// (an unbalanced quote, an empty part), so that callers try it as one name.
std::vector<TNamePart> SplitObjectName(const std::string& name);

// The ways a part may be stored: quoted exactly; bare folded as the server
// folds ASCII letters and, when different, as typed.
std::vector<std::string> PartCandidates(const TNamePart& part, TDVNameFolding folding);

// Standard SQL quoting: "name" with embedded double quotes doubled.
std::string QuoteSqlName(const std::string& name);

}  // namespace dralvo
