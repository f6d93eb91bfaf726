// The Structure-view framework: building a module's tree from registered
// sprig classes, finding nodes, drag and drop, and rebuilding with the
// person's expanded and selected nodes kept. Groups (TMid, named by Text)
// hold members (TLeaf, placed under the group their Text names), whose
// Lines become child nodes.
#include <gtest/gtest.h>

#include "CountingDesigner.h"
#include "SprigDump.h"
#include "TestClasses.h"
#include "designide/Registration.h"
#include "designide/SprigTree.h"
#include "rtl/objects/ClassBuilder.h"

namespace {

using namespace dvtest;
using namespace designide;

class TGroupSprig : public TComponentSprig {
  RTL_CLASS(TGroupSprig)
 public:
  using TComponentSprig::TComponentSprig;
  std::string Name() override { return rtl::As<TBase>(Item())->Text(); }
};

class TLineSprig : public TTransientSprig {
  RTL_CLASS(TLineSprig)
 public:
  explicit TLineSprig(std::string line = {}) : line_(std::move(line)) {}
  std::string UniqueName() override { return line_; }
  void Reparent() override {
    if (line_ == "refuse") throw rtl::EComponentError("line refuses to move");
  }

 private:
  std::string line_;
};

class TMemberSprig : public TComponentSprig {
  RTL_CLASS(TMemberSprig)
 public:
  using TComponentSprig::TComponentSprig;
  TBase* Leaf() { return rtl::As<TBase>(Item()); }
  void FigureParent() override {
    if (Leaf()->Flag()) throw rtl::EComponentError("cannot place");
    if (TSprig* group = Root()->Find(Leaf()->Text(), false)) group->Add(this);
  }
  void FigureChildren() override {
    for (int i = 0; i < Leaf()->Lines()->Count(); ++i) Add(std::make_unique<TLineSprig>(Leaf()->Lines()->Get(i)));
  }
  bool DragOverTo(TSprig* item) override { return rtl::Is<TGroupSprig>(item); }
  bool DragDropTo(TSprig* item) override {
    const std::string group = item->Name();
    const bool changed = group != Leaf()->Text();
    if (changed) Leaf()->SetText(group);
    ReparentChildren();
    return changed;
  }
};

template <class T>
const rtl::TClass& Sprig(const char* name, const rtl::TClass& parent) {
  static const rtl::TClass cls = rtl::ClassBuilder<T>(name, &parent).Creatable().Build();
  return cls;
}
const rtl::TClass& TGroupSprig::StaticClass() { return Sprig<TGroupSprig>("TGroupSprig", TComponentSprig::StaticClass()); }
const rtl::TClass& TLineSprig::StaticClass() { return Sprig<TLineSprig>("TLineSprig", TTransientSprig::StaticClass()); }
const rtl::TClass& TMemberSprig::StaticClass() {
  return Sprig<TMemberSprig>("TMemberSprig", TComponentSprig::StaticClass());
}

class SprigTreeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    UnregisterPackage(nullptr);
    RegisterSprigType(TMid::StaticClass(), TGroupSprig::StaticClass());
    RegisterSprigType(TLeaf::StaticClass(), TMemberSprig::StaticClass());
    module_.SetName("Module");
    tree_.SetOnChange([this](const TSprigTreeChange& change) { changes_.push_back(change); });
  }
  void TearDown() override { UnregisterPackage(nullptr); }

  TBase* Make(const rtl::TClass& cls, const std::string& name, const std::string& text) {
    auto* component = rtl::As<TBase>(cls.Create(&module_));
    component->SetName(name);
    component->SetText(text);
    return component;
  }
  std::string Dump() { return DumpSprigs(tree_.Root()); }

  rtl::TComponent module_{nullptr};
  TCountingDesigner designer_{&module_};
  TSprigTree tree_{&designer_};
  std::vector<TSprigTreeChange> changes_;
};

TEST_F(SprigTreeTest, BuildsPlacesAndOrdersNodesWhateverTheModuleOrder) {
  TBase* early = Make(TLeaf::StaticClass(), "Early", "sales");  // before its group, in another case
  early->Lines()->Add("first");
  Make(TMid::StaticClass(), "SalesGroup", "Sales");
  TBase* lost = Make(TLeaf::StaticClass(), "Lost", "nowhere");
  Make(TLeaf::StaticClass(), "Broken", "Sales")->SetFlag(true);
  (new TOther(&module_))->SetName("Plain");
  Make(TLeaf::StaticClass(), "Late", "SALES");
  tree_.Build(&module_);

  EXPECT_EQ(Dump(),
            "Module: TComponent\n"
            "  SalesGroup: TMid (Sales)\n"
            "    Early: TLeaf\n"
            "      first ~\n"
            "    Late: TLeaf\n"
            "  Lost: TLeaf ?\n"
            "  Broken: TLeaf ?\n"
            "  Plain: TOther\n");
  TSprig* node = tree_.NodeFor(lost);
  ASSERT_NE(node, nullptr);
  EXPECT_EQ(node->ClassName(), "TMemberSprig");
  EXPECT_EQ(tree_.NodeFor(module_.FindComponent("Plain"))->ClassName(), "TComponentSprig");
  EXPECT_EQ(node->Root(), tree_.Root());
  EXPECT_EQ(node->Index(), 1);
  ASSERT_EQ(changes_.size(), 1u);
  EXPECT_TRUE(changes_[0].WholeTree);
}

TEST_F(SprigTreeTest, FindMatchesNamesThenUniqueNamesOfGroupingNodesIgnoringCaseInEveryScript) {
  Make(TMid::StaticClass(), "Alpha", "Beta");
  Make(TMid::StaticClass(), "Beta", "Ärger");
  Make(TLeaf::StaticClass(), "Member", "Beta")->Lines()->Add("deep");
  tree_.Build(&module_);
  TSprig* root = tree_.Root();
  TSprig* alpha = tree_.NodeFor(module_.FindComponent("Alpha"));
  TSprig* beta = tree_.NodeFor(module_.FindComponent("Beta"));

  TSprig* gamma = root->Add(std::make_unique<TLineSprig>("Gamma"));
  root->Add(std::make_unique<TLineSprig>("Beta"));
  EXPECT_EQ(root->Find("bETA", false), alpha) << "Text (Name) before a grouping node's UniqueName";
  EXPECT_EQ(root->Find("äRGER", false), beta);
  EXPECT_EQ(root->Find("gamma", false), gamma);
  EXPECT_EQ(root->Find("alpha", false), nullptr) << "a component's node by its Name only";
  EXPECT_EQ(root->Find("DEEP", false), nullptr);
  EXPECT_EQ(root->Find("DEEP", true)->Parent(), tree_.NodeFor(module_.FindComponent("Member")));
  TSprig* blank = root->Add(std::make_unique<TTransientSprig>());
  EXPECT_EQ(root->Find("", false), nullptr) << "a node without item and name has no name to find";
  EXPECT_EQ(root->Find("blank", false), nullptr);
  EXPECT_EQ(blank->Index(), root->Count() - 1);

  EXPECT_THROW(alpha->Add(root), rtl::EComponentError);
  auto loose = std::make_unique<TTransientSprig>();
  EXPECT_THROW(alpha->Add(loose.get()), rtl::EComponentError) << "held by nobody";
  EXPECT_THROW(root->Child(root->Count()), rtl::EListError);
}

TEST(SprigCaption, LabelThenClassThenNameWhenItAddsSomething) {
  struct TRow {
    const char* Name;
    const char* Label;
    const char* Class;
    const char* Caption;
  };
  const TRow rows[] = {{"Reports", "ReportsSession", "TDVSession", "ReportsSession: TDVSession (Reports)"},
                       {"Orders", "Orders", "TLeaf", "Orders: TLeaf"},
                       {"shop", "Unknown", "", "Unknown (shop)"},
                       {"", "Unknown", "", "Unknown"},
                       {"select 1", "", "", "select 1"},
                       {"", "", "TLeaf", "TLeaf"},
                       {"", "", "", ""}};
  for (const auto& row : rows) EXPECT_EQ(TSprig::CaptionFor(row.Name, row.Label, row.Class), row.Caption);
}

TEST_F(SprigTreeTest, DropRebuildsTheGroupsItTouchedAndShowsTheMovedNode) {
  Make(TMid::StaticClass(), "A", "a");
  Make(TMid::StaticClass(), "B", "b");
  Make(TMid::StaticClass(), "C", "c");
  TBase* member = Make(TLeaf::StaticClass(), "M", "a");
  member->Lines()->Add("line");
  tree_.Build(&module_);
  TSprig* a = tree_.NodeFor(module_.FindComponent("A"));
  TSprig* b = tree_.NodeFor(module_.FindComponent("B"));
  TSprig* c = tree_.NodeFor(module_.FindComponent("C"));
  TSprig* m = tree_.NodeFor(member);
  tree_.SetExpanded(c, true);

  EXPECT_FALSE(tree_.DragOver(m, m));
  EXPECT_FALSE(tree_.DragOver(m, m->Child(0))) << "its own child";
  EXPECT_FALSE(tree_.DragOver(tree_.Root(), b)) << "the root stays";
  EXPECT_FALSE(tree_.DragOver(a, b)) << "a group's sprig refuses";
  EXPECT_FALSE(tree_.Drop(m, c->Parent()).Accepted) << "onto the root";
  EXPECT_TRUE(tree_.Drop(m, a).Accepted);
  EXPECT_FALSE(tree_.Drop(m, a).Changed);
  EXPECT_EQ(designer_.modified, 0);

  changes_.clear();
  TDropResult result = tree_.Drop(m, b);
  EXPECT_TRUE(result.Accepted && result.Changed);
  EXPECT_EQ(designer_.modified, 1);
  EXPECT_EQ(member->Text(), "b");
  ASSERT_EQ(changes_.size(), 1u);
  EXPECT_FALSE(changes_[0].WholeTree);
  EXPECT_EQ(changes_[0].NewGroups.size(), 2u) << "A and B made anew";
  EXPECT_EQ(tree_.NodeFor(module_.FindComponent("C")), c) << "an untouched group stays the same object";
  EXPECT_TRUE(tree_.IsExpanded(c));
  TSprig* moved = tree_.NodeFor(member);
  EXPECT_EQ(tree_.Selected(), moved);
  EXPECT_EQ(moved->Parent(), tree_.NodeFor(module_.FindComponent("B")));
  EXPECT_TRUE(tree_.IsExpanded(moved->Parent()));
  EXPECT_EQ(tree_.Root()->Child(1), moved->Parent()) << "groups stay in module order";
}

TEST_F(SprigTreeTest, ARefusingChildPutsTheMovedNodeBack) {
  Make(TMid::StaticClass(), "A", "a");
  Make(TMid::StaticClass(), "B", "b");
  TBase* first = Make(TLeaf::StaticClass(), "First", "a");
  TBase* member = Make(TLeaf::StaticClass(), "M", "a");
  Make(TLeaf::StaticClass(), "Last", "a");
  member->Lines()->Add("fine");
  member->Lines()->Add("refuse");
  tree_.Build(&module_);
  const std::string before = Dump();
  TSprig* m = tree_.NodeFor(member);
  TSprig* b = tree_.NodeFor(module_.FindComponent("B"));

  EXPECT_THROW(tree_.Drop(m, b), rtl::EComponentError);
  EXPECT_EQ(Dump(), before);
  EXPECT_EQ(tree_.NodeFor(member), m);
  EXPECT_EQ(m->Index(), 1);
  EXPECT_EQ(tree_.NodeFor(module_.FindComponent("A"))->Find("m", false), m);
  EXPECT_EQ(tree_.NodeFor(first)->Index(), 0);
  EXPECT_EQ(designer_.modified, 0);
}

TEST_F(SprigTreeTest, RebuildsKeepExpandedAndSelectedNodes) {
  Make(TMid::StaticClass(), "A", "a");
  TBase* member = Make(TLeaf::StaticClass(), "M", "a");
  member->Lines()->Add("one");
  member->Lines()->Add("two");
  tree_.Build(&module_);
  tree_.SetExpanded(tree_.NodeFor(member), true);
  tree_.SetExpanded(tree_.NodeFor(member)->Child(1), true);
  tree_.Select(tree_.NodeFor(member)->Child(0));

  member->SetName("Renamed");
  tree_.ComponentChanged(member);
  TSprig* m = tree_.NodeFor(member);
  EXPECT_EQ(m->UniqueName(), "Renamed");
  EXPECT_TRUE(tree_.IsExpanded(m));
  EXPECT_FALSE(tree_.IsExpanded(m->Child(0)));
  EXPECT_TRUE(tree_.IsExpanded(m->Child(1))) << "a node without a component, by its path";
  EXPECT_EQ(tree_.Selected(), m->Child(0));

  tree_.Select(m);
  delete member;
  tree_.ComponentDeleted(member);
  EXPECT_EQ(tree_.Selected(), nullptr);
  EXPECT_EQ(tree_.Root()->Find("a", false)->Count(), 0);
  EXPECT_TRUE(changes_.back().WholeTree);
  EXPECT_EQ(changes_.size(), 3u);
}

}  // namespace
