#pragma once
// The Structure view as plain text for the command line, and nodes named
// the way a person names them there.
#include <functional>
#include <iosfwd>
#include <memory>
#include <string>

#include "ModuleSession.h"
#include "designide/SprigTree.h"
#include "rtl/system/Exceptions.h"

namespace designer {

// Bad usage, or input that could not be read: exit status 2.
class EBadInput : public rtl::Exception {
 public:
  using Exception::Exception;
};

// Runs a command's body; an EBadInput ends it with its message on standard
// error and exit status 2.
int RunCheckingInput(const std::string& command, const std::function<int()>& body);

// The package loaded and the module read; a module that cannot be read
// raises EBadInput, a package that cannot be loaded its own error.
std::unique_ptr<TModuleSession> OpenModule(const std::string& packageFile, const std::string& moduleFile);

// One node a line, two spaces deeper per level: its caption, then
// " [problem]", " [transient]" and " [unplaced]" as they apply.
void PrintStructure(std::ostream& out, designide::TSprigTree& tree);

// The node of the component of that name; otherwise the node without a
// component whose unique name it is (ignoring case); a path of unique names
// from below the root ("<DefaultSession>/<ImpliedDatabase>.shop") tells
// apart nodes that share a name. Raises rtl::Exception when there is no
// such node, or several.
designide::TSprig* FindNodeByName(designide::TSprigTree& tree, const std::string& name);

// The unique names from below the root down to the node, joined by "/".
std::string NodePath(designide::TSprig* node);

}  // namespace designer
