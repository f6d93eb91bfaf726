// Components in owner trees, free notification, class references with
// checked casts, and collections.
#include <gtest/gtest.h>

#include <memory>

#include "rtl/objects/ClassBuilder.h"
#include "rtl/objects/Collection.h"
#include "rtl/objects/Component.h"
#include "rtl/system/Exceptions.h"

namespace {

using Log = std::vector<std::string>;

// A component that remembers one other component and logs its own end.
class TProbe : public rtl::TComponent {
  RTL_CLASS(TProbe)
 public:
  explicit TProbe(rtl::TComponent* owner, Log* log = nullptr) : TComponent(owner), log_(log) {}
  ~TProbe() override {
    if (log_ != nullptr) log_->push_back("free " + Name());
  }
  rtl::TComponent* Ref = nullptr;

 protected:
  void Notification(rtl::TComponent* component, rtl::TOperation operation) override {
    TComponent::Notification(component, operation);
    if (operation == rtl::TOperation::opRemove && component == Ref) Ref = nullptr;
  }

 private:
  Log* log_;
};

const rtl::TClass& TProbe::StaticClass() {
  static const rtl::TClass cls = rtl::ClassBuilder<TProbe>("TProbe", &TComponent::StaticClass()).Creatable().Build();
  return cls;
}

class TOtherProbe : public rtl::TComponent {
  RTL_CLASS(TOtherProbe)
 public:
  using TComponent::TComponent;
};

const rtl::TClass& TOtherProbe::StaticClass() {
  static const rtl::TClass cls("TOtherProbe", &TComponent::StaticClass());  // abstract: no factory
  return cls;
}

TProbe* Named(rtl::TComponent* owner, const std::string& name, Log* log = nullptr) {
  auto* p = new TProbe(owner, log);
  p->SetName(name);
  return p;
}

TEST(Component, OwnerFreesWhatItOwnsLastFirst) {
  Log log;
  auto form = std::make_unique<TProbe>(nullptr, &log);
  form->SetName("Form");
  Named(form.get(), "A", &log);
  TProbe* b = Named(form.get(), "B", &log);
  Named(b, "Inner", &log);
  EXPECT_EQ(form->ComponentCount(), 2);
  EXPECT_EQ(form->FindComponent("b"), b);
  form.reset();
  EXPECT_EQ(log, (Log{"free Form", "free B", "free Inner", "free A"}));
}

TEST(Component, EarlyFreeLeavesTheOwnerAndClearsReferences) {
  TProbe form(nullptr);
  TProbe* a = Named(&form, "A");
  TProbe* sibling = Named(&form, "Sibling");
  sibling->Ref = a;
  delete a;  // a sibling hears of it without asking
  EXPECT_EQ(sibling->Ref, nullptr);
  EXPECT_EQ(form.ComponentCount(), 1);
  EXPECT_EQ(form.FindComponent("A"), nullptr);

  // Across owners only free notification tells.
  auto other = std::make_unique<TProbe>(nullptr);
  TProbe* target = Named(other.get(), "Target");
  sibling->Ref = target;
  target->FreeNotification(sibling);
  other.reset();
  EXPECT_EQ(sibling->Ref, nullptr);

  // The holder going first must leave nothing dangling behind.
  auto second = std::make_unique<TProbe>(nullptr);
  TProbe* t2 = Named(second.get(), "T2");
  auto holder = std::make_unique<TProbe>(nullptr);
  holder->Ref = t2;
  t2->FreeNotification(holder.get());
  holder.reset();
  second.reset();
}

TEST(Component, NamesAreIdentifiersUniqueWithinTheOwner) {
  TProbe form(nullptr);
  TProbe* a = Named(&form, "Query1");
  EXPECT_THROW(Named(&form, "QUERY1"), rtl::EComponentError);
  for (const char* bad : {"1abc", "a b", "a-b", "\xC3\xA4"}) EXPECT_THROW(a->SetName(bad), rtl::EComponentError) << bad;
  EXPECT_EQ(a->Name(), "Query1");
  a->SetName("");
  a->SetName("_ok9");
  TProbe other(nullptr);
  Named(&other, "Query1");
  TProbe* moving = Named(&other, "_OK9");
  EXPECT_THROW(moving->ChangeOwner(&form), rtl::EComponentError);
  EXPECT_EQ(moving->Owner(), &other);
  moving->SetName("Moved");
  moving->ChangeOwner(&form);
  EXPECT_EQ(form.FindComponent("moved"), moving);
  EXPECT_EQ(other.ComponentCount(), 1);
  form.SetDesigning(true);
  EXPECT_TRUE(moving->IsDesigning());
  EXPECT_TRUE(Named(&form, "Late")->IsDesigning());  // owned by a designed owner
}

TEST(ClassReference, ChecksCastsAndCreatesByClass) {
  TProbe form(nullptr);
  rtl::TComponent* asBase = &form;
  EXPECT_EQ(form.ClassName(), "TProbe");
  EXPECT_TRUE(rtl::Is<rtl::TComponent>(asBase));
  EXPECT_TRUE(rtl::Is<TProbe>(asBase));
  EXPECT_FALSE(rtl::Is<TOtherProbe>(asBase));
  EXPECT_FALSE(rtl::Is<TProbe>(static_cast<rtl::TObject*>(nullptr)));
  EXPECT_EQ(rtl::As<TProbe>(asBase), &form);
  EXPECT_EQ(rtl::As<TProbe>(static_cast<rtl::TObject*>(nullptr)), nullptr);
  try {
    rtl::As<TOtherProbe>(asBase);
    ADD_FAILURE() << "wrong class accepted";
  } catch (const rtl::EInvalidCast& e) {
    EXPECT_NE(std::string(e.what()).find("TProbe"), std::string::npos);
    EXPECT_NE(std::string(e.what()).find("TOtherProbe"), std::string::npos);
  }

  rtl::TObject* made = TProbe::StaticClass().Create(&form);
  ASSERT_TRUE(rtl::Is<TProbe>(made));
  EXPECT_EQ(static_cast<TProbe*>(made)->Owner(), &form);
  EXPECT_THROW(TOtherProbe::StaticClass().Create(&form), rtl::EComponentError);

  rtl::RegisterClass(TProbe::StaticClass());
  EXPECT_EQ(rtl::FindClass("tprobe"), &TProbe::StaticClass());
  rtl::UnRegisterClass(TProbe::StaticClass());
  EXPECT_EQ(rtl::FindClass("TProbe"), nullptr);
  EXPECT_THROW(rtl::GetClass("TProbe"), rtl::EComponentError);

  const rtl::TPropInfo* name = TProbe::StaticClass().FindProperty("NAME");
  ASSERT_NE(name, nullptr);
  name->SetStr(form, "ViaProperty");
  EXPECT_EQ(form.Name(), "ViaProperty");
  EXPECT_THROW(name->SetStr(form, "not valid"), rtl::EComponentError);
}

class TProbeItem : public rtl::TCollectionItem {
  RTL_CLASS(TProbeItem)
 public:
  using TCollectionItem::TCollectionItem;
  std::string Value;
  void Assign(const rtl::TPersistent& source) override {
    if (const auto* item = dynamic_cast<const TProbeItem*>(&source))
      Value = item->Value;
    else
      TCollectionItem::Assign(source);
  }
};

const rtl::TClass& TProbeItem::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TProbeItem>("TProbeItem", &TCollectionItem::StaticClass()).Creatable().Build();
  return cls;
}

class TCountingCollection : public rtl::TCollection {
 public:
  using TCollection::TCollection;
  int Updates = 0;

 protected:
  void Update(rtl::TCollectionItem* item) override {
    TCollection::Update(item);
    ++Updates;
  }
};

std::vector<std::string> Values(const rtl::TCollection& c) {
  std::vector<std::string> out;
  for (int i = 0; i < c.Count(); ++i) out.push_back(static_cast<TProbeItem*>(c.Items(i))->Value);
  return out;
}

TEST(Collection, ItemsKeepOrderIndexAndOwnership) {
  TCountingCollection items(TProbeItem::StaticClass());
  for (const char* v : {"a", "b", "c"}) static_cast<TProbeItem*>(items.Add())->Value = v;
  static_cast<TProbeItem*>(items.Insert(0))->Value = "first";
  EXPECT_EQ(Values(items), (std::vector<std::string>{"first", "a", "b", "c"}));
  EXPECT_EQ(items.Items(2)->Index(), 2);
  EXPECT_EQ(items.Items(2)->Collection(), &items);
  items.Items(3)->SetIndex(0);
  EXPECT_EQ(Values(items), (std::vector<std::string>{"c", "first", "a", "b"}));
  delete items.Items(1);  // an item freed on its own leaves the collection
  EXPECT_EQ(Values(items), (std::vector<std::string>{"c", "a", "b"}));
  items.Delete(0);
  EXPECT_EQ(Values(items), (std::vector<std::string>{"a", "b"}));
  EXPECT_THROW(items.Items(2), rtl::EListError);
  EXPECT_THROW(items.Insert(5), rtl::EListError);

  items.Updates = 0;
  items.BeginUpdate();
  items.Add();
  items.Add();
  items.Delete(0);
  EXPECT_EQ(items.Updates, 0);
  items.EndUpdate();
  EXPECT_EQ(items.Updates, 1);

  TCountingCollection copy(TProbeItem::StaticClass());
  copy.Add();
  copy.Assign(items);
  EXPECT_EQ(Values(copy), Values(items));
  EXPECT_NE(copy.Items(0), items.Items(0));

  rtl::TCollection wrongKind(TProbe::StaticClass());
  EXPECT_THROW(wrongKind.Add(), rtl::EInvalidCast);
  EXPECT_EQ(wrongKind.Count(), 0);
}

}  // namespace
