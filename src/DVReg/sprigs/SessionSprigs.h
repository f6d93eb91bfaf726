#pragma once
// Structure-view nodes of sessions: a session component's node, and the
// node that stands for the runtime's default session, made when a database
// or dataset of that session first needs it.
#include <string>

#include "designide/TreeIntf.h"

namespace dv {

class TDVSessionSprig : public designide::TComponentSprig {
  RTL_CLASS(TDVSessionSprig)
 public:
  using TComponentSprig::TComponentSprig;
  bool AnyProblems() override;
  std::string Name() override;
  std::string Caption() override;
};

class TDVDefaultSessionSprig : public designide::TTransientSprig {
  RTL_CLASS(TDVDefaultSessionSprig)
 public:
  using TTransientSprig::TTransientSprig;
  std::string UniqueName() override;
  bool Transient() override;
  const rtl::TClass* ItemClass() override;
  std::string Caption() override;
};

// Whether a session name stands for the default session: empty, or the
// default session's own name (ignoring case).
bool IsDefaultSessionName(const std::string& SessionName);

// The root's child for that session name: the view's "<DefaultSession>"
// node for the default session (made once, when missing), else the node of
// the session component of that name. Null when the named session has no
// node.
designide::TSprig* FindSessionNode(designide::TSprig* From, const std::string& SessionName);

// What a node with session name `Current` takes when dropped onto
// `Target`: a session node's name, or "" for the default-session node.
// True when the drop changes it (NewName then holds the new name); false
// for any other target.
bool DropOntoSession(designide::TSprig* Target, const std::string& Current, std::string& NewName);

}  // namespace dv
