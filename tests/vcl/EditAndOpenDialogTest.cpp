// The one-line text box and the file-open dialog through the modal seam.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <fstream>

#include "TempDir.h"
#include "TestForm.h"
#include "vcl/Automation.h"
#include "vcl/Dialogs.h"
#include "vcl/qt/Widgets.h"

namespace {

using vcltest::NewTestForm;

TEST(Edit, SetTextIsSilentTypingFiresOnChange) {
  auto form = NewTestForm();
  auto* edit = form->Make<vcl::TEdit>("edit", 5, 150, 150, 21);
  std::vector<std::string> seen;
  edit->OnChange = [&](rtl::TObject*) { seen.push_back(edit->Text()); };
  edit->SetText("from code");
  EXPECT_EQ(static_cast<QLineEdit*>(vcl::qt::WidgetOf(*edit))->text().toStdString(), "from code");
  EXPECT_TRUE(seen.empty());
  form->Show();
  edit->TypeText("typed ü");
  EXPECT_EQ(seen, std::vector<std::string>{"typed ü"});
  EXPECT_EQ(form->ActiveControl(), edit);
  edit->SetReadOnly(true);
  EXPECT_THROW(edit->TypeText("no"), rtl::Exception);
  EXPECT_EQ(edit->Text(), "typed ü");
}

class OpenDialog : public ::testing::Test {
 protected:
  OpenDialog() { std::ofstream(dir_.File("there.db")) << "x"; }
  dvtest::TempDir dir_;
  vcl::TOpenDialog dialog_{nullptr};
};

TEST_F(OpenDialog, TheAutomationChoosesOrCancels) {
  dialog_.SetFileName("before.db");
  vcl::TScriptAutomation automation;
  vcl::ScopedAutomation scope(automation);
  automation.OnFileDialog = [&](vcl::TOpenDialog& shown) {
    EXPECT_EQ(&shown, &dialog_);
    shown.SetFileName("changed but cancelled");
    return false;
  };
  EXPECT_FALSE(dialog_.Execute());
  EXPECT_EQ(dialog_.FileName(), "before.db") << "a cancelled dialog keeps the name";
  automation.OnFileDialog = [&](vcl::TOpenDialog& shown) {
    shown.SetFileName(dir_.File("there.db"));
    return true;
  };
  EXPECT_TRUE(dialog_.Execute());
  EXPECT_EQ(dialog_.FileName(), dir_.File("there.db"));
  EXPECT_EQ(automation.FormsShown, 2);
}

TEST_F(OpenDialog, MissingFilesAreRefusedOnlyWhenTheyMustExist) {
  vcl::TScriptAutomation automation;
  vcl::ScopedAutomation scope(automation);
  automation.OnFileDialog = [&](vcl::TOpenDialog& shown) {
    shown.SetFileName(dir_.File("missing.db"));
    return true;
  };
  EXPECT_TRUE(dialog_.Execute()) << "a file to be created may be new";
  dialog_.SetFileName("kept.db");
  dialog_.SetOptions(vcl::ofFileMustExist);
  try {
    dialog_.Execute();
    ADD_FAILURE() << "a missing file was accepted";
  } catch (const rtl::EInOutError& e) {
    EXPECT_NE(e.Message().find("missing.db"), std::string::npos) << e.Message();
  }
  EXPECT_EQ(dialog_.FileName(), "kept.db");
}

TEST_F(OpenDialog, WithoutAnyoneToAnswerItIsCancelled) {
  dialog_.SetFileName("kept.db");
  EXPECT_FALSE(dialog_.Execute());
  EXPECT_EQ(dialog_.FileName(), "kept.db");
  vcl::TScriptAutomation automation;  // no step for file dialogs
  vcl::ScopedAutomation scope(automation);
  EXPECT_THROW(dialog_.Execute(), rtl::Exception);
}

}  // namespace
