// A person works on the example in the module view: drops a query from the
// palette, moves, selects, deletes, undoes and redoes, saves and reopens.
#include <QAction>
#include <QTest>
#include <QToolButton>

#include "WindowFixture.h"
#include "rtl/forms/FormFiles.h"
#include "rtl/text/Strings.h"
#include "rtl/system/SysUtils.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"
#include "window/ModuleView.h"
#include "window/PalettePanel.h"

namespace windowtest {
namespace {

TEST_F(WindowTest, DropMoveSelectDeleteUndoRedoThenSaveAndReopenTheSameModule) {
  fileNames_ = {example_.Module()};
  Trigger("actionOpen");
  ASSERT_NE(Component("OrdersQuery"), nullptr);
  EXPECT_EQ(Window().windowTitle().toStdString(), "Shop.dfm[*] - dvdesigner");
  EXPECT_FALSE(Window().isWindowModified());
  EXPECT_EQ(IconOf("ShopDatabase"), QRect(40, 24, 28, 28).center()) << "drawn at its stored position";

  // Palette: the query button, then a click on the module.
  QToolButton* queryButton = Window().Palette()->ButtonOf("TDVQuery");
  ASSERT_NE(queryButton, nullptr);
  EXPECT_EQ(queryButton->toolTip().toStdString(), "TDVQuery");
  QTest::mouseClick(queryButton, Qt::LeftButton);
  ClickModule(QPoint(300, 200));
  rtl::TComponent* dropped = Component("DVQuery1");
  ASSERT_NE(dropped, nullptr);
  EXPECT_EQ(Doc().Selection().Items(), std::vector<rtl::TComponent*>{dropped});
  EXPECT_TRUE(Window().isWindowModified());
  EXPECT_EQ(Window().Palette()->ChosenClass(), nullptr) << "one drop per choice";

  // Dragging moves it; a click elsewhere selects nothing.
  DragModule(IconOf("DVQuery1"), IconOf("DVQuery1") + QPoint(40, 32));
  EXPECT_EQ(dropped->DesignLeft(), 340);
  EXPECT_EQ(dropped->DesignTop(), 232);
  ClickModule(QPoint(600, 400));
  EXPECT_TRUE(Doc().Selection().Empty());

  // A rubber band around the two top-left icons, then Ctrl+click adds one.
  DragModule(QPoint(20, 10), QPoint(180, 60));
  EXPECT_EQ(Doc().Selection().Items(),
            (std::vector<rtl::TComponent*>{Component("ShopDatabase"), Component("CustomersTable")}));
  ClickModule(IconOf("OrdersUpdate"), Qt::ControlModifier);
  EXPECT_EQ(Doc().Selection().Count(), 3);
  ClickModule(IconOf("ShopDatabase"), Qt::ControlModifier);
  EXPECT_EQ(Doc().Selection().Count(), 2);

  // Del removes the selection; undo brings it back, redo takes it again.
  QTest::keyClick(Window().ModuleView(), Qt::Key_Delete);
  EXPECT_EQ(Component("CustomersTable"), nullptr);
  EXPECT_EQ(Component("OrdersUpdate"), nullptr);
  EXPECT_EQ(Window().Action("actionUndo")->text().toStdString(), "&Undo Delete 2 components");
  Trigger("actionUndo");
  EXPECT_NE(Component("OrdersUpdate"), nullptr);
  EXPECT_EQ(Doc().Selection().Count(), 2) << "the undone delete selects them again";
  Trigger("actionUndo");
  EXPECT_EQ(Component("DVQuery1")->DesignLeft(), 300);
  Trigger("actionRedo");
  Trigger("actionRedo");
  EXPECT_EQ(Component("OrdersUpdate"), nullptr);
  EXPECT_EQ(Component("DVQuery1")->DesignLeft(), 340);
  EXPECT_FALSE(Window().Action("actionRedo")->isEnabled());

  // Saved, closed and opened again from the recent files: the same module.
  Trigger("actionSave");
  EXPECT_FALSE(Window().isWindowModified());
  const std::string saved = rtl::ReadFileToString(example_.Module());
  EXPECT_EQ(saved, rtl::WriteComponentText(Doc().Root()));
  Trigger("actionClose");
  EXPECT_EQ(Window().Document(), nullptr);
  QMenu* recent = Window().findChild<QMenu*>("menuRecent");
  emit recent->aboutToShow();
  Window().findChild<QAction*>("actionRecent1")->trigger();
  ASSERT_NE(Window().Document(), nullptr);
  EXPECT_EQ(rtl::WriteComponentText(Doc().Root()), saved);
  EXPECT_EQ(Component("DVQuery1")->DesignTop(), 232);
  EXPECT_TRUE(automation_.Messages.empty()) << automation_.Messages.front().Text;
}

TEST_F(WindowTest, TheContextMenuRunsTheUpdateSqlEditorAndItsWorkIsOneUndoStep) {
  ASSERT_TRUE(Window().OpenFile(example_.Module()));
  automation_.OnForm = [](vcl::TForm& form) {
    for (const char* button : {"btGetTableFields", "btSelectPrimKeys", "btGenerateSQL", "btOk"})
      static_cast<vcl::TButton*>(form.FindComponent(button))->Click();
  };
  QMenu* menu = ContextMenuOn("OrdersUpdate");
  ASSERT_NE(menu, nullptr);
  std::vector<std::string> entries;
  for (QAction* action : menu->actions()) entries.push_back(action->isSeparator() ? "-" : action->text().toStdString());
  ASSERT_EQ(entries.size(), 7u);
  EXPECT_EQ(entries[0], "Dralvo Library 6.5.3.0");
  EXPECT_EQ(entries[1], "-");
  EXPECT_EQ(entries[3], "-") << "the designer's own entries follow the editor's verbs";
  EXPECT_EQ(entries[4], "&Delete");
  EXPECT_EQ(entries[6], "Open in &Code Editor");
  ChooseEntry(*menu, QString::fromStdString(entries[2]).remove('&').toStdString());
  EXPECT_EQ(automation_.FormsShown, 1);

  auto modifySql = [&] {
    rtl::TComponent* update = Component("OrdersUpdate");
    auto* list = static_cast<rtl::TStrings*>(update->ClassType().FindProperty("ModifySQL")->GetObj(*update));
    return list->Text();
  };
  EXPECT_NE(modifySql().find("update orders"), std::string::npos) << modifySql();
  EXPECT_TRUE(Window().isWindowModified());
  Trigger("actionUndo");
  EXPECT_EQ(modifySql(), "");
  EXPECT_FALSE(Window().isWindowModified());
  Trigger("actionRedo");
  EXPECT_NE(modifySql().find("update orders"), std::string::npos);
}

}  // namespace
}  // namespace windowtest
