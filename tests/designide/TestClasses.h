#pragma once
// Small classes for the framework tests: a component family
// TBase <- TMid <- TLeaf with string, Boolean and string-list properties, and
// one editor class per role so look-ups can be told apart.
#include <memory>

#include "designide/ComponentEditors.h"
#include "designide/PropertyEditors.h"
#include "designide/TreeIntf.h"
#include "rtl/objects/Component.h"
#include "rtl/text/Strings.h"

namespace dvtest {

class TOther;

class TBase : public rtl::TComponent {
  RTL_CLASS(TBase)
 public:
  using TComponent::TComponent;
  std::string Text() const { return text_; }
  void SetText(const std::string& s) { text_ = s; }
  bool Flag() const { return flag_; }
  void SetFlag(bool b) { flag_ = b; }
  rtl::TStringList* Lines() const { return lines_.get(); }
  // A set of the elements of SetOfThree() as a bit mask.
  unsigned Options() const { return options_; }
  void SetOptions(unsigned options) { options_ = options; }
  // A reference to another component of the module.
  TOther* Buddy() const { return buddy_; }
  void SetBuddy(TOther* buddy) { buddy_ = buddy; }

 private:
  std::string text_;
  bool flag_ = false;
  unsigned options_ = 0;
  TOther* buddy_ = nullptr;
  std::unique_ptr<rtl::TStringList> lines_ = std::make_unique<rtl::TStringList>();
};
class TMid : public TBase {
  RTL_CLASS(TMid)
 public:
  using TBase::TBase;
};
class TLeaf : public TMid {
  RTL_CLASS(TLeaf)
 public:
  using TMid::TMid;
};
class TOther : public rtl::TComponent {
  RTL_CLASS(TOther)
 public:
  using TComponent::TComponent;
};

// Editor classes named by the test's rows: E1 ... E6 property editors, C1 ...
// C3 component editors, S1, S2 sprigs.
const rtl::TClass& PropertyEditorClass(int n);
const rtl::TClass& ComponentEditorClass(int n);
const rtl::TClass& SprigClass(int n);

// Type information of a property of class type TStringList.
const rtl::TTypeInfo& StringListType();
// A set type with the elements "soRed", "soGreen", "soBlue".
const rtl::TTypeInfo& SetOfThree();

}  // namespace dvtest
