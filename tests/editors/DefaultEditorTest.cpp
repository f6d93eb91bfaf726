// The default editor (sessions, monitors, base servers) and the script
// editor from the loaded package: one About verb, which a double-click runs.
#include "EditorsTestSupport.h"
#include "dralvo/Engine.h"
#include "vcl/Application.h"
#include "vcl/Automation.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"

namespace {

using namespace dralvo;

class DefaultEditor : public edtest::LoadedPackage {
 protected:
  // One component of each class that gets the default or script editor.
  std::vector<rtl::TComponent*> Components() {
    auto* session = new TDVSession(&root_);
    session->SetSessionName("EditorsSession");
    return {session, new TDVMonitor(&root_), new TDVSQLBaseServer(&root_), new TDVScript(&root_)};
  }
  rtl::TComponent root_{nullptr};
  edtest::TCountingDesigner designer_{&root_};
};

std::string LabelCaption(vcl::TForm& form, const char* name) {
  return rtl::As<vcl::TLabel>(form.FindComponent(name))->Caption();
}

TEST_F(DefaultEditor, OneAboutVerbWithThePackagesVersion) {
  for (rtl::TComponent* component : Components()) {
    SCOPED_TRACE(component->ClassName());
    auto editor = EditorFor(component, &designer_);
    EXPECT_EQ(editor->GetVerbCount(), 1);
    EXPECT_EQ(editor->GetVerb(0), edtest::PackageAboutCaption);
    for (int index : {-1, 1, 2}) EXPECT_EQ(editor->GetVerb(index), "") << index;
  }
}

TEST_F(DefaultEditor, DoubleClickAndVerbZeroShowTheAboutDialog) {
  for (rtl::TComponent* component : Components()) {
    SCOPED_TRACE(component->ClassName());
    auto editor = EditorFor(component, &designer_);
    for (bool doubleClick : {true, false}) {
      vcl::TScriptAutomation automation;
      std::string caption, product, version;
      automation.OnForm = [&](vcl::TForm& form) {
        caption = form.Caption();
        product = LabelCaption(form, "lblProductName");
        version = LabelCaption(form, "lblVersion");
        form.PressEscape();
      };
      const int forms = vcl::Application()->ComponentCount();
      {
        vcl::ScopedAutomation scope(automation);
        doubleClick ? editor->Edit() : editor->ExecuteVerb(0);
      }
      EXPECT_EQ(automation.FormsShown, 1);
      EXPECT_EQ(caption, "About Dralvo");
      EXPECT_EQ(product, "Dralvo Library") << "read from the package file's version data";
      EXPECT_EQ(version, "Version 6.5.3.0");
      EXPECT_EQ(vcl::Application()->ComponentCount(), forms) << "the dialog is freed";
    }
  }
  EXPECT_EQ(designer_.modified, 0) << "About changes nothing";
}

TEST_F(DefaultEditor, UnclaimedIndexesDoNothing) {
  auto editor = EditorFor(new TDVMonitor(&root_), &designer_);
  // Any form or message shown would raise: the automation has no steps.
  vcl::TScriptAutomation automation;
  vcl::ScopedAutomation scope(automation);
  for (int index : {-1, 1, 5}) EXPECT_NO_THROW(editor->ExecuteVerb(index)) << index;
  EXPECT_EQ(automation.FormsShown, 0);
  EXPECT_TRUE(automation.Messages.empty());
}

}  // namespace
