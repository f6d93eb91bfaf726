// Where the package's sprigs place sessions, databases and datasets, and
// what their nodes show.
#include "SprigsFixture.h"

namespace sprigtest {
namespace {

using namespace dralvo;

TEST_F(SprigsTest, SessionsDatabasesAndDatasetsNestByNameIgnoringCase) {
  Database("Plain", "plain");                 // empty session: the default one
  Database("Spelled", "spelled", "dEFAULT");  // the default session's name in another case
  Query("Early", "MAIN", "reports");          // before its session and database
  Session("Reports", "Reports");
  Database("Main", "main", "REPORTS");
  Query("Ghost1", "ghost");
  Query("Ghost2", "GHOST", "default");  // the same implied database
  Query("Ghost3", "ghost", "Reports");  // another session: another one
  Build();

  EXPECT_EQ(Dump(),
            "Module: TComponent\n"
            "  DVSession: TDVSession (Default) ~\n"
            "    Plain: TDVDatabase (SQLite | <UnknownDatabase>)\n"
            "    Spelled: TDVDatabase (SQLite | <UnknownDatabase>)\n"
            "    Unknown (ghost) ~\n"
            "      Ghost1 (select 1)\n"
            "      Ghost2 (select 1)\n"
            "  Reports: TDVSession\n"
            "    Main: TDVDatabase (SQLite | <UnknownDatabase>)\n"
            "      Early (select 1)\n"
            "    Unknown (ghost) ~\n"
            "      Ghost3 (select 1)\n");
  designide::TSprig* defaultNode = tree_->Root()->Child(0);
  EXPECT_EQ(defaultNode->ClassName(), "TDVDefaultSessionSprig");
  EXPECT_EQ(defaultNode->UniqueName(), "<DefaultSession>");
  EXPECT_EQ(defaultNode->ItemClass(), &TDVSession::StaticClass());
  EXPECT_EQ(Node("Ghost1")->Parent()->UniqueName(), "<ImpliedDatabase>.ghost");
  EXPECT_EQ(Node("Ghost1")->Parent()->ItemClass(), &TDVDatabase::StaticClass());
  EXPECT_EQ(Node("Main")->ClassName(), "TDVDatabaseSprig");
  EXPECT_EQ(Node("Early")->ClassName(), "TDVQuerySprig");
}

// Names that look like the view's own nodes stay what they are.
TEST_F(SprigsTest, ComponentsNamedLikeTheViewsNodesDoNotStandForThem) {
  Session("Impostor", "<DefaultSession>");
  Database("Shop", "shop");
  Database("Fake", "<ImpliedDatabase>.x/y");
  Query("Plain", "shop");
  Query("Lost", "x/y");
  Query("Inside", "<ImpliedDatabase>.x/y");
  Query("Named", "shop", "<DefaultSession>");
  Build();
  EXPECT_EQ(Dump(),
            "Module: TComponent\n"
            "  Impostor: TDVSession (<DefaultSession>)\n"
            "    Unknown (shop) ~\n"
            "      Named (select 1)\n"
            "  DVSession: TDVSession (Default) ~\n"
            "    Shop: TDVDatabase (SQLite | <UnknownDatabase>)\n"
            "      Plain (select 1)\n"
            "    Fake: TDVDatabase (SQLite | <UnknownDatabase>)\n"
            "      Inside (select 1)\n"
            "    Unknown (x/y) ~\n"
            "      Lost (select 1)\n");
}

TEST_F(SprigsTest, CaptionsAndProblemMarks) {
  Session("Unnamed", "");
  Session("Other", "Other");
  Database("NoName", "");
  auto* remote = Database("Remote", "remote");
  remote->SetServerType(TDVServerType::stPostgreSQL);
  remote->SetRemoteDatabase("db.example/shop");
  Query("NoSQL", "remote", "", {});
  Query("ThreeLines", "remote", "", {"select a,", "  b", "from t"});
  Query("NoDatabase", "", "Other", {"select 1"});
  auto* table = new TDVTable(module_.get());
  table->SetName("NoTable");
  table->SetDatabaseName("remote");
  auto* proc = new TDVStoredProc(module_.get());
  proc->SetName("Proc");
  proc->SetDatabaseName("remote");
  proc->SetStoredProcName("recalc");
  auto* refreshOnly = new TDVUpdateSQL(module_.get());
  refreshOnly->SetName("RefreshOnly");
  refreshOnly->RefreshSQL()->Add("select 1");
  auto* deletes = new TDVUpdateSQL(module_.get());
  deletes->SetName("Deletes");
  deletes->DeleteSQL()->Add("delete from t");
  Build();

  EXPECT_EQ(Dump(),
            "Module: TComponent\n"
            "  Unnamed: TDVSession !\n"
            "  Other: TDVSession\n"
            "    Unknown ! ~\n"
            "      NoDatabase (select 1) !\n"
            "  DVSession: TDVSession (Default) ~\n"
            "    NoName: TDVDatabase (SQLite | <UnknownDatabase>) !\n"
            "    Remote: TDVDatabase (PostgreSQL | db.example/shop)\n"
            "      NoSQL !\n"
            "      ThreeLines (select a,...)\n"
            "      NoTable !\n"
            "      Proc (recalc)\n"
            "  RefreshOnly: TDVUpdateSQL !\n"
            "  Deletes: TDVUpdateSQL\n");
}

TEST_F(SprigsTest, OddNamesStillPutEveryComponentWhereAPersonFindsIt) {
  Query("TypedMarker", "x", "<DefaultSession>");  // no session of that name: the view's node is not one
  Query("LooksImplied", "<ImpliedDatabase>.x");
  Query("Implied", "x");
  Query("Nowhere", "x", "NoSuchSession");
  Database("Orphan", "orphan", "NoSuchSession");
  Query("NoDatabase", "");
  Database("Blank", "");  // a database named "" takes the dataset naming ""
  Build();

  for (int i = 0; i < module_->ComponentCount(); ++i) {
    designide::TSprig* node = tree_->NodeFor(module_->Components(i));
    ASSERT_NE(node, nullptr) << module_->Components(i)->Name();
    EXPECT_EQ(node->Root(), tree_->Root());
  }
  EXPECT_TRUE(Node("Nowhere")->Unplaced());
  EXPECT_TRUE(Node("Orphan")->Unplaced());
  EXPECT_TRUE(Node("TypedMarker")->Unplaced());
  EXPECT_EQ(Node("Nowhere")->Parent(), tree_->Root());
  EXPECT_EQ(Node("Implied")->Parent()->Parent()->UniqueName(), "<DefaultSession>");
  EXPECT_NE(Node("LooksImplied")->Parent(), Node("Implied")->Parent()) << "a name is no implied node";
  EXPECT_EQ(Node("LooksImplied")->Parent()->UniqueName(), "<ImpliedDatabase>.<ImpliedDatabase>.x");
  EXPECT_EQ(Node("NoDatabase")->Parent(), Node("Blank"));
  int defaultNodes = 0;
  for (int i = 0; i < tree_->Root()->Count(); ++i)
    defaultNodes += tree_->Root()->Child(i)->UniqueName() == "<DefaultSession>";
  EXPECT_EQ(defaultNodes, 1);
}

TEST_F(SprigsTest, AddingRenamingAndDeletingRebuildAndKeepTheOpenNodes) {
  Session("Reports", "Reports");
  auto* main = Database("Main", "main", "Reports");
  auto* query = Query("Orders", "main", "Reports");
  Build();
  tree_->SetExpanded(Node("Main"), true);
  tree_->Select(Node("Orders"));

  Database("Other", "ghost", "Reports");
  Query("Ghost", "ghost", "Reports");
  tree_->ComponentAdded(module_->FindComponent("Ghost"));
  EXPECT_EQ(Node("Ghost")->Parent(), Node("Other")) << "a database's node, not an implied one";
  main->SetDatabaseName("renamed");
  tree_->ComponentChanged(main);
  EXPECT_EQ(Node("Orders")->Parent()->UniqueName(), "<ImpliedDatabase>.main");
  query->SetDatabaseName("renamed");
  tree_->ComponentChanged(query);
  EXPECT_EQ(Node("Orders")->Parent(), Node("Main"));
  EXPECT_TRUE(tree_->IsExpanded(Node("Main")));
  EXPECT_EQ(tree_->Selected(), Node("Orders"));
  delete query;
  tree_->ComponentDeleted(query);
  EXPECT_EQ(tree_->Selected(), nullptr);
  EXPECT_EQ(Node("Main")->Count(), 0);
}

}  // namespace
}  // namespace sprigtest
