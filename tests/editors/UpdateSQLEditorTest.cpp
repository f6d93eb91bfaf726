// The update object's editor from the loaded package: its verbs, and the
// UpdateSQL editor that it opens, ending in a modified designer on OK and
// an untouched one on Cancel.
#include "EditorsTestSupport.h"
#include "dralvo/Consts.h"
#include "dralvo/Engine.h"
#include "designide/Registration.h"
#include "vcl/Automation.h"
#include "vcl/ComCtrls.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"

namespace {

using namespace dralvo;
using Lines = std::vector<std::string>;

class UpdateSQLEditor : public edtest::LoadedPackage {
 protected:
  void SetUp() override {
    edtest::LoadedPackage::SetUp();
    update_ = new TDVUpdateSQL(&root_);
    update_->SetName("UpdateSQL1");
    update_->RefreshSQL()->SetText("select NOTE from ORDERS where ID = :ID\n");
    update_->ModifySQL()->SetText("update ORDERS set NOTE = :NOTE where ID = :OLD_ID\n");
  }
  // Runs `run` with a person who replaces the refresh statement and then
  // clicks the button named `button`.
  void AsPerson(const char* button, const std::function<void()>& run) {
    vcl::TScriptAutomation automation;
    automation.OnForm = [&](vcl::TForm& form) {
      caption_ = form.Caption();
      rtl::As<vcl::TPageControl>(form.FindComponent("pcUpdateSQL"))
          ->ChoosePage(rtl::As<vcl::TTabSheet>(form.FindComponent("tsSQL")));
      auto* memo = rtl::As<vcl::TMemo>(form.FindComponent("meSQLText"));
      memo->SelectAll();
      memo->TypeText("select NOTE, AMOUNT from ORDERS where ID = :ID");
      rtl::As<vcl::TButton>(form.FindComponent(button))->Click();
    };
    vcl::ScopedAutomation scope(automation);
    run();
    EXPECT_EQ(automation.FormsShown, 1);
  }
  Lines Refresh() const { return update_->RefreshSQL()->ToVector(); }

  rtl::TComponent root_{nullptr};
  edtest::TCountingDesigner designer_{&root_};
  TDVUpdateSQL* update_ = nullptr;
  std::string caption_;
};

TEST_F(UpdateSQLEditor, AboutSeparatorAndEditorVerbs) {
  auto editor = EditorFor(update_, &designer_);
  EXPECT_EQ(editor->GetVerbCount(), 3);
  const Lines expected{edtest::PackageAboutCaption, "-", SUpdateSQLEditor};
  for (int i = 0; i < 3; ++i) EXPECT_EQ(editor->GetVerb(i), expected[i]) << i;
  EXPECT_EQ(editor->GetVerb(3), "");
  EXPECT_EQ(editor->GetVerb(-1), "");
}

TEST_F(UpdateSQLEditor, OkWritesTheStatementsAndMarksTheFormModified) {
  auto editor = EditorFor(update_, &designer_);
  AsPerson("btOk", [&] { editor->ExecuteVerb(2); });
  EXPECT_EQ(caption_, std::string("UpdateSQL1 (") + SNoDataSet + ")");
  EXPECT_EQ(Refresh(), Lines{"select NOTE, AMOUNT from ORDERS where ID = :ID"});
  EXPECT_EQ(designer_.modified, 1);
}

TEST_F(UpdateSQLEditor, CancelLeavesObjectAndDesignerAlone) {
  auto editor = EditorFor(update_, &designer_);
  AsPerson("btCancel", [&] { editor->ExecuteVerb(2); });
  EXPECT_EQ(Refresh(), Lines{"select NOTE from ORDERS where ID = :ID"});
  EXPECT_EQ(designer_.modified, 0);
}

TEST_F(UpdateSQLEditor, DoubleClickOpensTheUpdateSQLEditor) {
  auto editor = EditorFor(update_, &designer_);
  AsPerson("btOk", [&] { editor->Edit(); });
  EXPECT_EQ(caption_, std::string("UpdateSQL1 (") + SNoDataSet + ")");
  EXPECT_EQ(designer_.modified, 1);
}

TEST_F(UpdateSQLEditor, WithoutADesignerTheObjectIsStillWritten) {
  auto editor = EditorFor(update_, nullptr);
  AsPerson("btOk", [&] { editor->ExecuteVerb(2); });
  EXPECT_EQ(Refresh(), Lines{"select NOTE, AMOUNT from ORDERS where ID = :ID"});
}

TEST_F(UpdateSQLEditor, VerbZeroIsAboutAndTheSeparatorDoesNothing) {
  auto editor = EditorFor(update_, &designer_);
  {
    vcl::TScriptAutomation silent;  // any form would raise
    vcl::ScopedAutomation scope(silent);
    for (int index : {1, 3, -1}) EXPECT_NO_THROW(editor->ExecuteVerb(index)) << index;
    EXPECT_EQ(silent.FormsShown, 0);
  }
  vcl::TScriptAutomation automation;
  automation.OnForm = [&](vcl::TForm& form) {
    caption_ = form.Caption();
    form.PressEnter();
  };
  vcl::ScopedAutomation scope(automation);
  editor->ExecuteVerb(0);
  EXPECT_EQ(caption_, "About Dralvo");
  EXPECT_EQ(designer_.modified, 0);
}

TEST_F(UpdateSQLEditor, AnEditorMadeForAnotherClassRefusesTheObject) {
  const rtl::TClass* editorClass = designide::FindComponentEditorClass(TDVUpdateSQL::StaticClass());
  ASSERT_NE(editorClass, nullptr);
  auto* script = new TDVScript(&root_);
  auto editor = designide::CreateComponentEditor(*editorClass, script, &designer_);
  vcl::TScriptAutomation silent;
  vcl::ScopedAutomation scope(silent);
  EXPECT_THROW(editor->ExecuteVerb(2), rtl::EInvalidCast);
  EXPECT_EQ(silent.FormsShown, 0);
  EXPECT_EQ(designer_.modified, 0);
}

}  // namespace
