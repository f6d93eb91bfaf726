#include "FormTestClasses.h"

#include "rtl/system/Exceptions.h"

namespace formtest {

namespace {
int g_live = 0;
}

int LiveObjects() { return g_live; }

const rtl::TTypeInfo& AlignTypeInfo() {
  static const rtl::TTypeInfo info{"TAlign", rtl::TTypeKind::Enumeration, {"alNone", "alTop", "alClient"}, nullptr};
  return info;
}

const rtl::TTypeInfo& StylesTypeInfo() {
  static const rtl::TTypeInfo info{"TFontStyles", rtl::TTypeKind::Set, {"fsBold", "fsItalic", "fsUnderline"}, nullptr};
  return info;
}

const rtl::TClass& TTestFont::StaticClass() {
  static const rtl::TClass cls = rtl::ClassBuilder<TTestFont>("TTestFont", &rtl::TPersistent::StaticClass())
                                     .Creatable()
                                     .Str("Name", &TTestFont::Name, &TTestFont::SetName, "Sans")
                                     .Int("Size", &TTestFont::Size, &TTestFont::SetSize, 8)
                                     .Enum("Style", StylesTypeInfo(), &TTestFont::Style, &TTestFont::SetStyle, 0)
                                     .Build();
  return cls;
}
TTestFont::TTestFont() { ++g_live; }
TTestFont::~TTestFont() { --g_live; }

const rtl::TClass& TTestItem::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TTestItem>("TTestItem", &rtl::TCollectionItem::StaticClass())
          .Creatable()
          .Str("Name", &TTestItem::Name, &TTestItem::SetName)
          .Int("Value", &TTestItem::Value, &TTestItem::SetValue, 0)
          .Owned("Children", rtl::ClassTypeInfo(rtl::TCollection::StaticClass()), &TTestItem::Children)
          .Build();
  return cls;
}
TTestItem::TTestItem() : children_(std::make_unique<rtl::TCollection>(TTestItem::StaticClass(), this)) { ++g_live; }
TTestItem::~TTestItem() { --g_live; }

const rtl::TClass& TTestWidget::StaticClass() {
  static const rtl::TClass cls = [] {
    rtl::TClass c = rtl::ClassBuilder<TTestWidget>("TTestWidget", &rtl::TComponent::StaticClass())
                        .Creatable()
                        .Bool("Active", &TTestWidget::Active, &TTestWidget::SetActive, false)
                        .Int("Count", &TTestWidget::Count, &TTestWidget::SetCount, 0)
                        .Int("Revision", &TTestWidget::Revision, nullptr, 0)
                        .Str("Caption", &TTestWidget::Caption, &TTestWidget::SetCaption)
                        .Enum("Align", AlignTypeInfo(), &TTestWidget::Align, &TTestWidget::SetAlign, 0)
                        .Owned("Lines", rtl::ClassTypeInfo(rtl::TStrings::StaticClass()), &TTestWidget::Lines)
                        .Owned("Items", rtl::ClassTypeInfo(rtl::TCollection::StaticClass()), &TTestWidget::Items)
                        .Owned("Font", rtl::ClassTypeInfo(TTestFont::StaticClass()), &TTestWidget::Font)
                        .Ref("Buddy", rtl::ClassTypeInfo(rtl::TComponent::StaticClass()), &TTestWidget::BuddyRef,
                             &TTestWidget::SetBuddyRef)
                        .Str("Note", &TTestWidget::Note, &TTestWidget::SetNote)
                        .StoredWhen(&TTestWidget::Active)
                        .Build();
    // Event handlers are stored by method name.
    rtl::TPropInfo onChange;
    onChange.Name = "OnChange";
    onChange.Type = &rtl::TypeInfoMethod();
    onChange.GetStr = [](const rtl::TObject& o) { return static_cast<const TTestWidget&>(o).OnChange(); };
    onChange.SetStr = [](rtl::TObject& o, const std::string& v) { static_cast<TTestWidget&>(o).SetOnChange(v); };
    c.AddProperty(std::move(onChange));
    return c;
  }();
  return cls;
}

TTestWidget::TTestWidget(rtl::TComponent* owner)
    : rtl::TComponent(owner),
      lines_(std::make_unique<rtl::TStringList>()),
      items_(std::make_unique<rtl::TCollection>(TTestItem::StaticClass(), this)),
      font_(std::make_unique<TTestFont>()),
      designingAtCreate_(IsDesigning()) {
  ++g_live;
}
TTestWidget::~TTestWidget() { --g_live; }

void TTestWidget::SetBuddy(TTestWidget* v) {
  if (v == this) throw rtl::EPropertyError("A widget cannot be its own buddy");
  buddy_ = v;
}

void TTestWidget::Loaded() {
  rtl::TComponent::Loaded();
  ++loadedCalls_;
  buddyAtLoaded_ = buddy_ != nullptr ? buddy_->Name() : "";
  if (caption_ == "fail in Loaded") throw rtl::EComponentError("cannot start");
}

void TTestWidget::Notification(rtl::TComponent* component, rtl::TOperation operation) {
  rtl::TComponent::Notification(component, operation);
  if (operation == rtl::TOperation::opRemove && component == buddy_) buddy_ = nullptr;
}

const rtl::TClass& TTestModule::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TTestModule>("TTestModule", &rtl::TComponent::StaticClass()).Creatable().Build();
  return cls;
}
TTestModule::TTestModule(rtl::TComponent* owner) : rtl::TComponent(owner) { ++g_live; }
TTestModule::~TTestModule() { --g_live; }

const rtl::TClass& TTestInheritedModule::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TTestInheritedModule>("TTestInheritedModule", &TTestModule::StaticClass()).Creatable().Build();
  return cls;
}
TTestInheritedModule::TTestInheritedModule(rtl::TComponent* owner) : TTestModule(owner) {
  (new TTestWidget(this))->SetName("Header");
}

void RegisterTestClasses() {
  for (const rtl::TClass* c : {&TTestModule::StaticClass(), &TTestInheritedModule::StaticClass(),
                               &TTestWidget::StaticClass(), &TTestFont::StaticClass(), &TTestItem::StaticClass()})
    rtl::RegisterClass(*c);
}

}  // namespace formtest
