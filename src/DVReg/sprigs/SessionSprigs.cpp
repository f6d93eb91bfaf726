#include "DVReg/sprigs/SessionSprigs.h"

#include <memory>

#include "DVReg/sprigs/SprigClass.h"
#include "dralvo/Session.h"
#include "rtl/system/SysUtils.h"

namespace dv {

namespace {
constexpr const char* kDefaultSessionNode = "<DefaultSession>";
}

const rtl::TClass& TDVSessionSprig::StaticClass() {
  return SprigClass<TDVSessionSprig>("TDVSessionSprig", designide::TComponentSprig::StaticClass());
}
const rtl::TClass& TDVDefaultSessionSprig::StaticClass() {
  return SprigClass<TDVDefaultSessionSprig>("TDVDefaultSessionSprig", designide::TTransientSprig::StaticClass());
}

bool TDVSessionSprig::AnyProblems() { return rtl::As<dralvo::TDVSession>(Item())->SessionName().empty(); }

std::string TDVSessionSprig::Name() { return rtl::As<dralvo::TDVSession>(Item())->SessionName(); }

std::string TDVSessionSprig::Caption() { return CaptionFor(Name(), UniqueName(), Item()->ClassName()); }

std::string TDVDefaultSessionSprig::UniqueName() { return kDefaultSessionNode; }

bool TDVDefaultSessionSprig::Transient() { return true; }

const rtl::TClass* TDVDefaultSessionSprig::ItemClass() { return &dralvo::TDVSession::StaticClass(); }

std::string TDVDefaultSessionSprig::Caption() {
  const dralvo::TDVSession* Session = dralvo::Session();
  const std::string& ClassName = Session->ClassName();
  return CaptionFor(Session->SessionName(), ClassName.substr(1, 255), ClassName);
}

bool IsDefaultSessionName(const std::string& SessionName) {
  return SessionName.empty() || rtl::AnsiSameText(SessionName, dralvo::Session()->SessionName());
}

designide::TSprig* FindSessionNode(designide::TSprig* From, const std::string& SessionName) {
  designide::TSprig* Root = From->Root();
  // The default node is the view's own: a session that calls itself
  // "<DefaultSession>" is found by its name like any other, and the other
  // way round.
  if (!IsDefaultSessionName(SessionName)) return Root->FindChild(SessionName, false);
  designide::TSprig* Node = Root->FindChild(kDefaultSessionNode, true);
  if (Node == nullptr) Node = Root->Add(std::make_unique<TDVDefaultSessionSprig>());
  return Node;
}

bool DropOntoSession(designide::TSprig* Target, const std::string& Current, std::string& NewName) {
  if (rtl::Is<TDVSessionSprig>(Target)) {
    NewName = rtl::As<dralvo::TDVSession>(Target->Item())->SessionName();
    return !rtl::AnsiSameText(Current, NewName);
  }
  if (rtl::Is<TDVDefaultSessionSprig>(Target)) {
    NewName.clear();
    return !Current.empty() || !rtl::AnsiSameText(Current, dralvo::Session()->SessionName());
  }
  return false;
}

}  // namespace dv
