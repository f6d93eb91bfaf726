// A person works in the Structure view: its selection follows the module
// view and leads it, a database comes from the palette onto the default
// session's node, and a database node dragged onto another session moves
// the database there (the cursor refusing where the sprig refuses).
#include <QAction>
#include <QTest>
#include <QToolButton>

#include "WindowFixture.h"
#include "window/PalettePanel.h"
#include "window/StructurePanel.h"

namespace windowtest {
namespace {

TEST_F(WindowTest, TheStructureViewSelectsTakesPaletteDropsAndMovesADatabaseToAnotherSession) {
  ASSERT_TRUE(Window().OpenFile(example_.Module()));
  designer::TStructurePanel& view = *Window().Structure();
  designide::TSprig* defaultSession = view.Tree()->Root()->Find("<DefaultSession>", false);
  ASSERT_NE(defaultSession, nullptr);
  QTreeWidgetItem* defaultItem = view.ItemOf(defaultSession);
  EXPECT_EQ(defaultItem->text(0).toStdString(), defaultSession->Caption());
  EXPECT_TRUE(defaultItem->font(0).italic()) << "a node of no component";
  EXPECT_EQ(StructureItemOf("ShopDatabase")->parent(), defaultItem);

  // Selection both ways.
  ClickModule(IconOf("OrdersQuery"));
  EXPECT_EQ(view.selectedItems(), QList<QTreeWidgetItem*>{StructureItemOf("OrdersQuery")});
  QTreeWidgetItem* table = StructureItemOf("CustomersTable");
  QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.visualItemRect(table).center());
  EXPECT_EQ(Doc().Selection().Items(), std::vector<rtl::TComponent*>{Component("CustomersTable")});

  // A session from the palette in the module view, named in the inspector;
  // a database from the palette onto the default session's node.
  QTest::mouseClick(Window().Palette()->ButtonOf("TDVSession"), Qt::LeftButton);
  ClickModule(QPoint(400, 260));
  TypeValue("SessionName", "Reports");
  QTest::mouseClick(Window().Palette()->ButtonOf("TDVDatabase"), Qt::LeftButton);
  defaultItem = view.ItemOf(view.Tree()->Root()->Find("<DefaultSession>", false));
  QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, view.visualItemRect(defaultItem).center());
  ASSERT_NE(Component("DVDatabase1"), nullptr);
  EXPECT_EQ(view.NodeOf(StructureItemOf("DVDatabase1")->parent()),
            view.Tree()->Root()->Find("<DefaultSession>", false));
  EXPECT_TRUE(StructureItemOf("DVDatabase1")->icon(0).isNull() == false) << "no database name yet: a problem";

  // Dragging the shop's database: refused over a query, taken by the
  // session.
  QTreeWidgetItem* database = StructureItemOf("ShopDatabase");
  QTreeWidgetItem* query = StructureItemOf("OrdersQuery");
  const QPoint start = view.visualItemRect(database).center();
  QTest::mousePress(view.viewport(), Qt::LeftButton, {}, start);
  QTest::mouseMove(view.viewport(), view.visualItemRect(query).center());
  EXPECT_EQ(view.viewport()->cursor().shape(), Qt::ForbiddenCursor);
  QTreeWidgetItem* session = StructureItemOf("DVSession1");
  QTest::mouseMove(view.viewport(), view.visualItemRect(session).center());
  EXPECT_EQ(view.viewport()->cursor().shape(), Qt::DragMoveCursor);
  QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, view.visualItemRect(session).center());
  rtl::TComponent& shop = *Component("ShopDatabase");
  EXPECT_EQ(shop.ClassType().FindProperty("SessionName")->GetStr(shop), "Reports");
  EXPECT_EQ(StructureItemOf("ShopDatabase")->parent(), StructureItemOf("DVSession1"));
  EXPECT_EQ(Window().Action("actionUndo")->text().toStdString(), "&Undo Move ShopDatabase onto DVSession1");

  // Undone: the database is back under the default session.
  Trigger("actionUndo");
  rtl::TComponent& back = *Component("ShopDatabase");
  EXPECT_EQ(back.ClassType().FindProperty("SessionName")->GetStr(back), "");
  EXPECT_EQ(StructureItemOf("ShopDatabase")->parent()->text(0).toStdString(),
            view.Tree()->Root()->Find("<DefaultSession>", false)->Caption());
  EXPECT_TRUE(automation_.Messages.empty()) << automation_.Messages.front().Text;
}

}  // namespace
}  // namespace windowtest
