#pragma once
// The Structure view as plain text for the command line, and nodes named
// the way a person names them there.
#include <iosfwd>
#include <memory>
#include <string>

#include "designide/SprigTree.h"
#include "rtl/system/Exceptions.h"

namespace designer {

// One node a line, two spaces deeper per level: its caption, then
// " [problem]", " [transient]" and " [unplaced]" as they apply.
void PrintStructure(std::ostream& out, designide::TSprigTree& tree);

// The node of the component of that name; otherwise the node without a
// component that the name names, ignoring case: by its unique name
// ("<DefaultSession>", "<ImpliedDatabase>.shop"), by its caption as
// PrintStructure prints it, or by the caption's first part ("DVSession").
// A path of such names from below the root, joined by "/"
// ("Reports/<ImpliedDatabase>.shop"), tells apart nodes that share a name; a
// name in it may hold "/" itself. Raises rtl::Exception when there is no
// such node, or several.
designide::TSprig* FindNodeByName(designide::TSprigTree& tree, const std::string& name);

// The unique names from below the root down to the node, joined by "/".
std::string NodePath(designide::TSprig* node);

}  // namespace designer
