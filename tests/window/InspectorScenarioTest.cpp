// A person fills in a new query in the Object Inspector: picks its database
// from the drop-down, types values, meets an editor's refusal, groups the
// rows by category and opens a database's sub-properties.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

#include "WindowFixture.h"
#include "vcl/Forms.h"
#include "vcl/Keyboard.h"
#include "window/InspectorPanel.h"
#include "window/PalettePanel.h"

namespace windowtest {
namespace {

std::string StrProp(rtl::TComponent& component, const char* name) {
  return component.ClassType().FindProperty(name)->GetStr(component);
}

TEST_F(WindowTest, TheObjectInspectorPicksTypesRevertsARefusalAndGroupsByCategory) {
  ASSERT_TRUE(Window().OpenFile(example_.Module()));
  QTest::mouseClick(Window().Palette()->ButtonOf("TDVQuery"), Qt::LeftButton);
  ClickModule(QPoint(300, 200));
  designer::TInspectorPanel& inspector = *Window().Inspector();
  EXPECT_EQ(inspector.findChild<QLabel*>("InspectorHeading")->text().toStdString(), "DVQuery1: TDVQuery");

  // The database names in a drop-down; picking one sets it as one step.
  PickValue("DatabaseName", "shop");
  EXPECT_EQ(StrProp(*Component("DVQuery1"), "DatabaseName"), "shop");
  EXPECT_EQ(ValueOf("DatabaseName").Text(), "shop");
  EXPECT_EQ(Window().Action("actionUndo")->text().toStdString(), "&Undo Set DVQuery1.DatabaseName");

  // A Boolean is a drop-down of its two values; the parameters have an
  // ellipsis.
  QComboBox* active = ValueOf("Active").List();
  ASSERT_NE(active, nullptr);
  active->showPopup();
  EXPECT_EQ(active->count(), 2);
  EXPECT_EQ(active->itemText(0).toStdString(), "False");
  active->hidePopup();
  EXPECT_NE(ValueOf("Params").Ellipsis(), nullptr);
  EXPECT_EQ(ValueOf("DatabaseName").Ellipsis(), nullptr);

  // A name the component refuses: a message box, and the old name again.
  TypeValue("Name", "no good");
  ASSERT_EQ(automation_.Messages.size(), 1u);
  EXPECT_NE(automation_.Messages[0].Text.find("Setting Name to \"no good\" failed"), std::string::npos)
      << automation_.Messages[0].Text;
  EXPECT_EQ(ValueOf("Name").Text(), "DVQuery1");
  TypeValue("Name", "OpenOrders");
  EXPECT_NE(Component("OpenOrders"), nullptr);
  EXPECT_EQ(inspector.findChild<QLabel*>("InspectorHeading")->text().toStdString(), "OpenOrders: TDVQuery");

  // Grouped by category: headings hold the rows, a row under each of its
  // categories.
  QTest::mouseClick(inspector.findChild<QToolButton*>("InspectorByCategory"), Qt::LeftButton);
  QTreeWidget* rows = inspector.Tree();
  const designide::TInspectorRow* databaseName = inspector.Model()->Find("DatabaseName");
  ASSERT_FALSE(databaseName->Categories().empty());
  const QString category = QString::fromStdString(databaseName->Categories().front());
  QTreeWidgetItem* heading = nullptr;
  for (int i = 0; i < rows->topLevelItemCount(); ++i)
    if (rows->topLevelItem(i)->text(0) == category) heading = rows->topLevelItem(i);
  ASSERT_NE(heading, nullptr);
  bool underIt = false;
  for (int i = 0; i < heading->childCount(); ++i) underIt = underIt || heading->child(i)->text(0) == "DatabaseName";
  EXPECT_TRUE(underIt);

  // A database's options open as True/False sub-rows; a value typed there
  // reaches the set.
  ClickModule(IconOf("ShopDatabase"));
  QTreeWidgetItem* options = inspector.ItemOf("DesignOptions");
  ASSERT_NE(options, nullptr);
  options->setExpanded(true);
  PickValue("DesignOptions.ddoStoreConnected", "True");
  rtl::TComponent& database = *Component("ShopDatabase");
  EXPECT_NE(database.ClassType().FindProperty("DesignOptions")->GetOrd(database) & 2, 0);
  EXPECT_EQ(automation_.Messages.size(), 1u) << automation_.Messages.back().Text;
}

// The SQL's ellipsis with Alt held opens the code editor and no dialog; the
// open module is then brought to the front whatever the keys; once it is
// closed, the ellipsis shows the SQL dialog.
TEST_F(WindowTest, TheSqlEllipsisOpensTheCodeEditorWithAltAndTheDialogWithout) {
  ASSERT_TRUE(Window().OpenFile(example_.Module()));
  ClickModule(IconOf("OrdersQuery"));
  QToolButton* ellipsis = ValueOf("SQL").Ellipsis();
  if (ellipsis == nullptr) GTEST_SKIP() << "the loaded package registers no dialog editor for a query's SQL";
  automation_.OnForm = [](vcl::TForm& form) { form.SetModalResult(vcl::mrCancel); };
  QTabWidget& tabs = *Window().Editors();

  automation_.KeysDown = {vcl::VK_MENU};
  QTest::mouseClick(ellipsis, Qt::LeftButton, Qt::AltModifier);
  EXPECT_EQ(automation_.FormsShown, 0);
  ASSERT_EQ(tabs.count(), 2);
  EXPECT_EQ(tabs.tabText(tabs.currentIndex()).toStdString(), "ShopModule.OrdersQuery.SQL");

  automation_.KeysDown.clear();
  tabs.setCurrentIndex(0);
  QTest::mouseClick(ValueOf("SQL").Ellipsis(), Qt::LeftButton);
  EXPECT_EQ(automation_.FormsShown, 0);
  EXPECT_EQ(tabs.currentIndex(), 1) << "the open module comes to the front";

  QTest::mouseClick(tabs.tabBar()->tabButton(1, QTabBar::RightSide), Qt::LeftButton);
  EXPECT_EQ(tabs.count(), 1);
  QTest::mouseClick(ValueOf("SQL").Ellipsis(), Qt::LeftButton);
  EXPECT_EQ(automation_.FormsShown, 1);
  EXPECT_FALSE(Window().isWindowModified()) << "a cancelled dialog changes nothing";
  EXPECT_TRUE(automation_.Messages.empty()) << automation_.Messages.front().Text;
}

}  // namespace
}  // namespace windowtest
