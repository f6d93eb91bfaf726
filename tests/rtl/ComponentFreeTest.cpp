// Freeing components: references held by siblings are cleared while the
// owner lives, an owner that goes frees everything without telling each
// remaining component of every sibling, and the name index stays right
// through renames and removals.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "rtl/objects/ClassBuilder.h"
#include "rtl/objects/Component.h"
#include "rtl/system/SysUtils.h"

namespace {

// Holds one reference and counts what it hears. With `guarded`, the
// reference is registered for free notification and read in the destructor,
// so a reference left dangling shows up as a use after free.
class THolder : public rtl::TComponent {
  RTL_CLASS(THolder)
 public:
  explicit THolder(rtl::TComponent* owner) : TComponent(owner) {}
  ~THolder() override {
    if (Ref != nullptr) lastWords_ = Ref->Name();
    if (Ref != nullptr && OwnerAtFree != nullptr) *OwnerAtFree = Ref->IsDestroying();
    if (AtFree) AtFree();
  }
  void Hold(THolder* target, bool guarded) {
    Ref = target;
    if (guarded) target->FreeNotification(this);
  }
  THolder* Ref = nullptr;
  int Removals = 0;
  bool* OwnerAtFree = nullptr;
  std::function<void()> AtFree;

 protected:
  void Notification(rtl::TComponent* component, rtl::TOperation operation) override {
    TComponent::Notification(component, operation);
    if (operation != rtl::TOperation::opRemove) return;
    ++Removals;
    if (component == Ref) Ref = nullptr;
  }

 private:
  std::string lastWords_;
};

const rtl::TClass& THolder::StaticClass() {
  static const rtl::TClass cls = rtl::ClassBuilder<THolder>("THolder", &TComponent::StaticClass()).Build();
  return cls;
}

std::vector<THolder*> Holders(rtl::TComponent* owner, int count) {
  std::vector<THolder*> made;
  for (int i = 0; i < count; ++i) {
    made.push_back(new THolder(owner));
    made.back()->SetName("H" + std::to_string(i));
  }
  return made;
}

TEST(ComponentFree, EverySiblingHoldingTheFreedOneIsToldWhileTheOwnerLives) {
  struct Row {
    int freed;    // index of the component freed early
    bool guarded; // held through free notification as well
  };
  for (Row row : {Row{0, false}, Row{2, false}, Row{4, false}, Row{0, true}, Row{4, true}}) {
    SCOPED_TRACE("freed " + std::to_string(row.freed) + (row.guarded ? " guarded" : ""));
    THolder owner(nullptr);
    std::vector<THolder*> h = Holders(&owner, 5);
    for (int i = 0; i < 5; ++i)
      if (i != row.freed) h[i]->Hold(h[row.freed], row.guarded);
    THolder* other = h[row.freed == 0 ? 1 : 0];
    h[row.freed]->Hold(other, false);
    delete h[row.freed];
    for (int i = 0; i < 5; ++i) {
      if (i == row.freed) continue;
      EXPECT_EQ(h[i]->Ref, nullptr) << "holder " << i;
      EXPECT_FALSE(h[i]->IsDestroying());
    }
    EXPECT_EQ(owner.ComponentCount(), 4);
    EXPECT_EQ(owner.FindComponent("H" + std::to_string(row.freed)), nullptr);
  }
}

TEST(ComponentFree, AnEarlyFreeIsHeardByEveryRemainingSibling) {
  const int n = 200;
  THolder owner(nullptr);
  std::vector<THolder*> h = Holders(&owner, n);
  delete h[n / 2];
  delete h.back();
  int heard = 0;
  for (int i = 0; i < n - 1; ++i)
    if (i != n / 2) heard += h[i]->Removals;
  EXPECT_EQ(heard, 2 * (n - 2));  // the 198 that stay heard of both
}

// The component made first is freed last; it records how many removals it
// heard before its own end.
class TCounter : public rtl::TComponent {
  RTL_CLASS(TCounter)
 public:
  TCounter(rtl::TComponent* owner, int* heardAtEnd) : TComponent(owner), heardAtEnd_(heardAtEnd) {}
  ~TCounter() override {
    if (heardAtEnd_ != nullptr) *heardAtEnd_ = heard_;
  }

 protected:
  void Notification(rtl::TComponent* component, rtl::TOperation operation) override {
    TComponent::Notification(component, operation);
    if (operation == rtl::TOperation::opRemove) ++heard_;
  }

 private:
  int* heardAtEnd_;
  int heard_ = 0;
};

const rtl::TClass& TCounter::StaticClass() {
  static const rtl::TClass cls("TCounter", &TComponent::StaticClass());
  return cls;
}

TEST(ComponentFree, OwnerGoingAwayFreesInTimeLinearInWhatItOwns) {
  for (int n : {10, 1000, 20000}) {
    SCOPED_TRACE(n);
    int heardByFirst = -1;
    auto owner = std::make_unique<rtl::TComponent>(nullptr);
    owner->SetLoadingState(true);
    new TCounter(owner.get(), &heardByFirst);
    for (int i = 1; i < n; ++i) new TCounter(owner.get(), nullptr);
    owner->SetLoadingState(false);
    owner.reset();
    EXPECT_EQ(heardByFirst, 0) << "siblings going together were told of each other";
  }
}

TEST(ComponentFree, DestroyingMarksTheWholeSubtreeAndGuardedReferencesStaySafe) {
  auto owner = std::make_unique<THolder>(nullptr);
  std::vector<THolder*> h = Holders(owner.get(), 4);
  std::vector<THolder*> inner = Holders(h[1], 3);
  // Created earlier, freed later: h[0] reads its reference in its destructor.
  h[0]->Hold(h[3], true);
  h[0]->Hold(inner[2], true);
  inner[0]->Hold(h[2], true);
  bool refWasDestroying = false;
  h[2]->Hold(h[0], true);
  h[2]->OwnerAtFree = &refWasDestroying;
  // A component outside the module holds one inside it, and the other way.
  auto outsider = std::make_unique<THolder>(nullptr);
  outsider->Hold(inner[1], true);
  h[3]->Hold(outsider.get(), true);

  owner.reset();  // under AddressSanitizer a dangling reference would be read here
  EXPECT_TRUE(refWasDestroying) << "h[2] saw h[0] alive but not marked as going";
  EXPECT_EQ(outsider->Ref, nullptr);
  EXPECT_FALSE(outsider->IsDestroying());
}

TEST(ComponentFree, NamesLookedUpWhileTheOwnerGoesAreThoseStillThere) {
  auto owner = std::make_unique<THolder>(nullptr);
  std::vector<THolder*> h = Holders(owner.get(), 4);
  rtl::TComponent* root = owner.get();
  std::vector<std::string> seen;
  auto look = [&] {
    std::string found;
    for (const char* name : {"H0", "h1", "H2", "H3"}) found += root->FindComponent(name) != nullptr ? "+" : "-";
    seen.push_back(found);
  };
  h[2]->AtFree = look;  // H3 is gone already, H2 itself is still listed
  h[0]->AtFree = look;  // the last one left
  h[1]->AtFree = [&] { h[1]->SetName("Renamed"); };
  owner.reset();
  EXPECT_EQ(seen, (std::vector<std::string>{"+++-", "+---"}));
}

// Reference index of names next to the owner's own, through many inserts,
// renames and frees in random order.
TEST(ComponentNames, IndexAgreesWithTheComponentsThroughRenamesAndFrees) {
  rtl::TComponent owner(nullptr);
  std::map<std::string, rtl::TComponent*> expected;  // upper-case name
  std::vector<rtl::TComponent*> alive;
  std::mt19937 rng(7);
  int serial = 0;
  for (int step = 0; step < 6000; ++step) {
    const unsigned action = rng() % 4;
    if (action <= 1 || alive.empty()) {
      auto* c = new rtl::TComponent(&owner);
      const int id = serial++;
      std::string name = (id % 3 == 0 ? "comp" : "Comp") + std::to_string(id);
      c->SetName(name);
      expected[rtl::UpperCase(name)] = c;
      alive.push_back(c);
    } else if (action == 2) {
      size_t i = rng() % alive.size();
      expected.erase(rtl::UpperCase(alive[i]->Name()));
      delete alive[i];
      alive.erase(alive.begin() + static_cast<long>(i));
    } else {
      rtl::TComponent* c = alive[rng() % alive.size()];
      expected.erase(rtl::UpperCase(c->Name()));
      std::string name = "Renamed" + std::to_string(serial++);
      c->SetName(name);
      expected[rtl::UpperCase(name)] = c;
    }
  }
  ASSERT_EQ(static_cast<size_t>(owner.ComponentCount()), expected.size());
  for (const auto& [upper, c] : expected) {
    EXPECT_EQ(owner.FindComponent(upper), c) << upper;
    EXPECT_EQ(owner.FindComponent(rtl::LowerCase(upper)), c) << upper;
  }
  for (int i = 0; i < serial; i += 97) {
    std::string name = "COMP" + std::to_string(i);
    EXPECT_EQ(owner.FindComponent(name), expected.count(name) ? expected[name] : nullptr) << name;
  }
  EXPECT_THROW(alive.front()->SetName(alive.back()->Name()), rtl::EComponentError);
}

}  // namespace
