#include "TestClasses.h"

#include <deque>

#include "rtl/objects/ClassBuilder.h"

namespace dvtest {

const rtl::TClass& TBase::StaticClass() {
  static const rtl::TClass cls = rtl::ClassBuilder<TBase>("TBase", &rtl::TComponent::StaticClass())
                                     .Creatable()
                                     .Str("Text", &TBase::Text, &TBase::SetText)
                                     .Bool("Flag", &TBase::Flag, &TBase::SetFlag)
                                     .Owned("Lines", StringListType(), &TBase::Lines)
                                     .Enum("Options", SetOfThree(), &TBase::Options, &TBase::SetOptions)
                                     .Ref("Buddy", rtl::ClassTypeInfo(TOther::StaticClass()), &TBase::Buddy,
                                          &TBase::SetBuddy)
                                     .Build();
  return cls;
}
const rtl::TClass& TMid::StaticClass() {
  static const rtl::TClass cls = rtl::ClassBuilder<TMid>("TMid", &TBase::StaticClass()).Creatable().Build();
  return cls;
}
const rtl::TClass& TLeaf::StaticClass() {
  static const rtl::TClass cls = rtl::ClassBuilder<TLeaf>("TLeaf", &TMid::StaticClass()).Creatable().Build();
  return cls;
}
const rtl::TClass& TOther::StaticClass() {
  static const rtl::TClass cls = rtl::ClassBuilder<TOther>("TOther", &rtl::TComponent::StaticClass()).Creatable().Build();
  return cls;
}

const rtl::TTypeInfo& StringListType() { return rtl::ClassTypeInfo(rtl::TStringList::StaticClass()); }

const rtl::TTypeInfo& SetOfThree() {
  static const rtl::TTypeInfo info{"TOptions", rtl::TTypeKind::Set, {"soRed", "soGreen", "soBlue"}, nullptr};
  return info;
}

namespace {
// Numbered editor classes: plain descendants made on first use and kept.
const rtl::TClass& Numbered(std::deque<rtl::TClass>& store, const char* prefix, int n, const rtl::TClass& parent) {
  while (static_cast<int>(store.size()) < n) {
    std::string name = prefix + std::to_string(store.size() + 1);
    store.emplace_back(name, &parent, [&parent](rtl::TComponent* owner) { return parent.Create(owner); });
  }
  return store[static_cast<size_t>(n - 1)];
}
}  // namespace

const rtl::TClass& PropertyEditorClass(int n) {
  static std::deque<rtl::TClass> store;
  return Numbered(store, "E", n, designide::TStringProperty::StaticClass());
}
const rtl::TClass& ComponentEditorClass(int n) {
  static std::deque<rtl::TClass> store;
  return Numbered(store, "C", n, designide::TComponentEditor::StaticClass());
}
const rtl::TClass& SprigClass(int n) {
  static std::deque<rtl::TClass> store;
  return Numbered(store, "S", n, designide::TComponentSprig::StaticClass());
}

}  // namespace dvtest
