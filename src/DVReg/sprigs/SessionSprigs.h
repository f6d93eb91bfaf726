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

// The name a session node is found by among the root's children:
// "<DefaultSession>" for an empty session name or the default session's
// own (ignoring case), otherwise the session name itself.
std::string SessionNodeName(const std::string& SessionName);

// The root's child for that session name; the default-session node is made
// (once) when it is the one asked for and missing. Null when the named
// session has no node.
designide::TSprig* FindSessionNode(designide::TSprig* From, const std::string& SessionName);

// What a node with session name `Current` takes when dropped onto
// `Target`: a session node's name, or "" for the default-session node.
// True when the drop changes it (NewName then holds the new name); false
// for any other target.
bool DropOntoSession(designide::TSprig* Target, const std::string& Current, std::string& NewName);

}  // namespace dv
