// Dragging the package's nodes: which targets each accepts, what a drop
// changes and reports, and that a drop the runtime refuses changes nothing.
#include "SprigDump.h"
#include "SprigsFixture.h"
#include "SqlFixtures.h"
#include "TempDir.h"

namespace sprigtest {
namespace {

using namespace dralvo;
using designide::TSprig;

TEST_F(SprigsTest, DragTargetsOfEachKindOfNode) {
  Session("Reports", "Reports");
  Session("Unnamed", "");
  Database("Main", "main");
  Database("Blank", "");
  Query("Orders", "main");
  Query("Ghost", "ghost");
  Build();
  TSprig* reports = Node("Reports");
  TSprig* unnamed = Node("Unnamed");
  TSprig* defaultNode = tree_->Root()->Find("<DefaultSession>", false);
  TSprig* implied = Node("Ghost")->Parent();

  EXPECT_TRUE(tree_->DragOver(Node("Main"), reports));
  EXPECT_TRUE(tree_->DragOver(Node("Main"), defaultNode));
  EXPECT_FALSE(tree_->DragOver(Node("Main"), unnamed)) << "a session without a name";
  EXPECT_FALSE(tree_->DragOver(Node("Main"), Node("Blank")));
  EXPECT_TRUE(tree_->DragOver(implied, unnamed));
  EXPECT_TRUE(tree_->DragOver(implied, reports));
  EXPECT_FALSE(tree_->DragOver(implied, Node("Main")));
  EXPECT_TRUE(tree_->DragOver(Node("Orders"), implied));
  EXPECT_FALSE(tree_->DragOver(Node("Orders"), Node("Blank"))) << "a database without a name";
  EXPECT_FALSE(tree_->DragOver(Node("Orders"), reports));

  EXPECT_TRUE(tree_->PaletteOver(reports, TDVDatabase::StaticClass()));
  EXPECT_FALSE(tree_->PaletteOver(unnamed, TDVDatabase::StaticClass()));
  EXPECT_TRUE(tree_->PaletteOver(Node("Main"), TDVTable::StaticClass()));
  EXPECT_FALSE(tree_->PaletteOver(Node("Blank"), TDVQuery::StaticClass()));
  EXPECT_FALSE(tree_->PaletteOver(implied, TDVDatabase::StaticClass())) << "the framework's answer";
}

TEST_F(SprigsTest, DatabaseDropsReportWhetherTheSessionChanged) {
  Session("Reports", "Reports");
  auto* main = Database("Main", "main", "reports");
  auto* plain = Database("Plain", "plain");
  auto* spelled = Database("Spelled", "spelled", "DEFAULT");
  Build();
  TSprig* defaultNode = tree_->Root()->Find("<DefaultSession>", false);

  EXPECT_FALSE(Node("Main")->DragDropTo(Node("Reports"))) << "its own session in another case";
  EXPECT_EQ(main->SessionName(), "reports");
  EXPECT_FALSE(Node("Main")->DragDropTo(Node("Plain"))) << "not a session";
  EXPECT_TRUE(Node("Plain")->DragDropTo(defaultNode)) << "empty again, reported as a change";
  EXPECT_EQ(plain->SessionName(), "");
  EXPECT_TRUE(Node("Spelled")->DragDropTo(defaultNode));
  EXPECT_EQ(spelled->SessionName(), "");

  EXPECT_EQ(designer_->modified, 0) << "the sprigs leave Modified to the tree";
  EXPECT_TRUE(tree_->Drop(Node("Plain"), Node("Reports")).Changed);
  EXPECT_EQ(plain->SessionName(), "Reports");
  EXPECT_EQ(Node("Plain")->Parent(), Node("Reports"));
  EXPECT_EQ(designer_->modified, 1);
}

TEST_F(SprigsTest, DatasetsFollowTheirDatabaseIntoAnotherSession) {
  Session("Reports", "Reports");
  Database("Main", "main");
  auto* orders = Query("Orders", "main");
  auto* ghost1 = Query("Ghost1", "ghost", "Default");
  auto* ghost2 = Query("Ghost2", "GHOST");
  Build();

  EXPECT_TRUE(tree_->Drop(Node("Main"), Node("Reports")).Changed);
  EXPECT_EQ(orders->SessionName(), "Reports");
  EXPECT_EQ(orders->DatabaseName(), "main");
  EXPECT_EQ(Node("Orders")->Parent(), Node("Main"));

  TSprig* implied = Node("Ghost1")->Parent();
  EXPECT_TRUE(tree_->Drop(implied, Node("Reports")).Changed);
  EXPECT_EQ(ghost1->SessionName(), "Reports");
  EXPECT_EQ(ghost2->SessionName(), "Reports");
  EXPECT_EQ(ghost2->DatabaseName(), "GHOST");
  EXPECT_EQ(Node("Ghost1")->Parent()->Parent(), Node("Reports"));
  EXPECT_EQ(tree_->Root()->Find("<DefaultSession>", false), nullptr) << "no longer needed";
}

TEST_F(SprigsTest, DatasetDropsTakeTheTargetsNames) {
  Session("Reports", "Reports");
  Database("Main", "main");
  Database("Archive", "archive", "Reports");
  auto* orders = Query("Orders", "main");
  Query("Ghost", "ghost", "Reports");
  Build();

  EXPECT_FALSE(tree_->Drop(Node("Orders"), Node("Main")).Changed);
  EXPECT_FALSE(Node("Orders")->DragDropTo(Node("Reports")));
  EXPECT_TRUE(tree_->Drop(Node("Orders"), Node("Archive")).Changed);
  EXPECT_EQ(orders->DatabaseName(), "archive");
  EXPECT_EQ(orders->SessionName(), "Reports");
  EXPECT_EQ(Node("Orders")->Parent(), Node("Archive"));
  EXPECT_TRUE(tree_->Drop(Node("Orders"), Node("Ghost")->Parent()).Changed);
  EXPECT_EQ(orders->DatabaseName(), "ghost");
  EXPECT_EQ(Node("Orders")->Parent(), Node("Ghost")->Parent());
  EXPECT_EQ(tree_->Selected(), Node("Orders"));

  auto* created = new TDVTable(module_.get());
  created->SetName("Created");
  EXPECT_TRUE(tree_->PaletteDrop(Node("Main"), created).Changed);
  EXPECT_EQ(created->DatabaseName(), "main");
  EXPECT_EQ(Node("Created")->Parent(), Node("Main"));
  EXPECT_EQ(designer_->modified, 3);
}

// Drops the runtime refuses: a connected database, an open dataset under a
// node that moves several. Components and tree stay as they were.
TEST_F(SprigsTest, ARefusedDropChangesNothing) {
  dvtest::TempDir dir;
  dvtest::MakeSQLiteFile(dir.File("files.db"), "create table t(x int); insert into t values (1);");
  // The database the open query uses lives in another module, as when the
  // designer has two open: here its datasets show an implied node.
  rtl::TComponent other(nullptr);
  auto* files = new TDVDatabase(&other);
  files->SetDatabaseName("files");
  files->SetRemoteDatabase(dir.File("files.db"));
  files->SetLoginPrompt(false);
  Session("Reports", "Reports");
  auto* connected = Database("Connected", "connected");
  connected->SetRemoteDatabase(dir.File("files.db"));
  connected->SetLoginPrompt(false);
  connected->SetConnected(true);
  Database("Main", "main");
  auto* closed = Query("Closed", "files");
  auto* open = Query("Open", "files", "", {"select x from t"});
  open->Open();
  Build();
  const std::string before = Dump();

  EXPECT_THROW(tree_->Drop(Node("Connected"), Node("Reports")), rtl::EDatabaseError);
  EXPECT_EQ(connected->SessionName(), "");
  EXPECT_THROW(tree_->Drop(Node("Closed")->Parent(), Node("Reports")), rtl::EDatabaseError);
  EXPECT_EQ(closed->SessionName(), "") << "moved before the open one refused, and moved back";
  EXPECT_EQ(open->SessionName(), "");
  EXPECT_THROW(tree_->Drop(Node("Open"), Node("Main")), rtl::EDatabaseError);
  EXPECT_EQ(open->DatabaseName(), "files");
  EXPECT_EQ(Dump(), before);
  EXPECT_EQ(designer_->modified, 0);

  // Moved back for good: a drop that succeeds finds everything in place.
  open->Close();
  EXPECT_TRUE(tree_->Drop(Node("Closed")->Parent(), Node("Reports")).Changed);
  EXPECT_EQ(open->SessionName(), "Reports");
  connected->SetConnected(false);
}

}  // namespace
}  // namespace sprigtest
