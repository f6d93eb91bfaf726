// The Structure-view node tree.
#include <gtest/gtest.h>

#include "TestClasses.h"
#include "designide/DSnDB.h"
#include "designide/TreeIntf.h"

namespace {

using namespace dvtest;
using namespace designide;

TEST(SprigTest, NodesMoveBetweenParentsAndAreFoundByNameOrItem) {
  rtl::TComponent owner(nullptr);
  auto* table = new TLeaf(&owner);
  table->SetName("Orders");
  auto root = CreateSprig(TTransientSprig::StaticClass(), nullptr);
  TSprig* group = root->Add(CreateSprig(TTransientSprig::StaticClass(), nullptr));
  TSprig* other = root->Add(CreateSprig(TTransientSprig::StaticClass(), nullptr));
  TSprig* node = group->Add(CreateSprig(TDataSetSprig::StaticClass(), table));

  EXPECT_EQ(node->UniqueName(), "Orders");
  EXPECT_EQ(node->ItemClass(), &TLeaf::StaticClass());
  EXPECT_FALSE(node->Transient());
  EXPECT_TRUE(group->Transient());
  EXPECT_EQ(root->Find("orders"), node);
  EXPECT_EQ(root->Find("orders", false), nullptr) << "not a direct child";
  EXPECT_EQ(root->Find(table), node);
  EXPECT_EQ(node->Root(), root.get());

  node->Reparent(other);
  EXPECT_EQ(node->Parent(), other);
  EXPECT_EQ(group->Count(), 0);
  other->ReparentChildren(group);
  EXPECT_EQ(node->Parent(), group);
  EXPECT_EQ(other->Count(), 0);
  EXPECT_THROW(group->Reparent(node), rtl::EComponentError) << "under its own child";
  EXPECT_EQ(group->Parent(), root.get());
  EXPECT_THROW(root->Child(5), rtl::EListError);
}

TEST(SprigTest, CaptionsCombineNameLabelAndClass) {
  struct TRow {
    const char* Name;
    const char* Label;
    const char* Class;
    const char* Caption;
  };
  const TRow rows[] = {{"Orders", "", "", "Orders"},
                       {"Orders", "Orders", "", "Orders"},
                       {"main", "Database1", "", "main {Database1}"},
                       {"", "<DefaultSession>", "", "{<DefaultSession>}"},
                       {"Orders", "", "TLeaf", "Orders (TLeaf)"},
                       {"", "", "", ""}};
  for (const auto& row : rows) EXPECT_EQ(TSprig::CaptionFor(row.Name, row.Label, row.Class), row.Caption);
}

}  // namespace
