// Opening a component's string list in the code editor, finding it again,
// saving edits back into the property and closing it, on the framework's
// module services and strings file system.
#include <gtest/gtest.h>

#include "CountingDesigner.h"
#include "DVReg/codeeditor/StringsModule.h"
#include "designide/StFilSys.h"
#include "designide/ToolsAPI.h"
#include "dralvo/Query.h"
#include "rtl/system/Exceptions.h"
#include "vcl/Automation.h"
#include "vcl/Keyboard.h"

namespace {

using namespace designide;

// Records what the code editor would show, in order.
struct TRecorder : IModuleListener {
  std::vector<std::string> events;
  void ModuleOpened(TModule& m) override { events.push_back("opened " + m.FileName()); }
  void EditorShown(TSourceEditor& e) override { events.push_back(std::string("shown") + (e.Modified() ? " *" : "")); }
  void ModifiedChanged(TSourceEditor& e) override { events.push_back(e.Modified() ? "modified" : "saved"); }
  void TextReloaded(TSourceEditor&) override { events.push_back("reloaded"); }
  void ModuleClosing(TModule& m) override { events.push_back("closing " + m.FileName()); }
};

class BridgeTest : public ::testing::Test {
 protected:
  BridgeTest() : root_(nullptr), designer_(&root_) {
    root_.SetName("Form1");
    query_ = new dralvo::TDVQuery(&root_);
    query_->SetName("Query1");
    query_->SQL()->SetText("select *\nfrom orders\n");
    SetRootDesigner(&root_, &designer_);
    ModuleServices().SetListener(&recorder_);
  }
  ~BridgeTest() override {
    ModuleServices().SetListener(nullptr);
    ModuleServices().SetCloseQuery(nullptr);
    ModuleServices().CloseAll();
    SetRootDesigner(&root_, nullptr);
  }
  void Open(bool textModified = false) {
    dv::OpenStringsInCodeEditor(&designer_, query_, "SQL", textModified, query_->SQL());
  }
  TModule* Module() { return ModuleServices().FindModule("dfm.Form1.Query1.SQL"); }

  rtl::TComponent root_;
  dvtest::TCountingDesigner designer_;
  dralvo::TDVQuery* query_;
  TRecorder recorder_;
};

TEST_F(BridgeTest, OneModulePerPropertyFoundByTheLookUps) {
  EXPECT_FALSE(dv::ShowStringsModule(&designer_, query_, "SQL"));
  Open();
  ASSERT_NE(Module(), nullptr);
  EXPECT_EQ(Module()->GetModuleFileEditor(0)->Text(), "select *\nfrom orders\n");
  EXPECT_EQ(recorder_.events, (std::vector<std::string>{"opened dfm.Form1.Query1.SQL", "shown"}));
  const TStringsPropertyFile* file = StFilSys::StringsFileSystem()->Find("dfm.Form1.Query1.SQL");
  ASSERT_NE(file, nullptr);
  EXPECT_EQ(&file->Component(), query_);
  EXPECT_NE(file->DiskAge(), 0) << "stamped with the time of opening";

  // The look-ups find the module that was opened; opening again reuses it.
  EXPECT_TRUE(dv::ShowStringsModule(&designer_, query_, "sql"));
  Open();
  EXPECT_EQ(ModuleServices().ModuleCount(), 1);
  EXPECT_EQ(ModuleServices().ShownEditor(), Module()->GetModuleFileEditor(0));

  EXPECT_TRUE(dv::CloseStringsModule(&designer_, query_, "SQL"));
  EXPECT_EQ(Module(), nullptr);
  EXPECT_FALSE(dv::ShowStringsModule(&designer_, query_, "SQL"));
  EXPECT_TRUE(dv::CloseStringsModule(&designer_, query_, "SQL")) << "none open is closed";
}

TEST_F(BridgeTest, TextModifiedMarksTheModuleBeforeItIsShown) {
  Open(true);
  EXPECT_EQ(recorder_.events, (std::vector<std::string>{"opened dfm.Form1.Query1.SQL", "modified", "shown *"}));
}

TEST_F(BridgeTest, SavedTextReachesThePropertyAndThePropertyReachesTheModule) {
  Open();
  TSourceEditor* editor = Module()->GetModuleFileEditor(0);
  editor->SetText("select id\nfrom customers\nwhere id = :id\n");
  EXPECT_EQ(query_->SQL()->Count(), 2) << "nothing is written before saving";
  Module()->Save();
  EXPECT_EQ(query_->SQL()->Text(), "select id\nfrom customers\nwhere id = :id\n");
  EXPECT_EQ(query_->Params()->Count(), 1) << "the query saw its text change";
  EXPECT_EQ(designer_.modified, 1);
  EXPECT_FALSE(editor->Modified());

  // A change made elsewhere (a dialog, the inspector) shows in the module.
  recorder_.events.clear();
  query_->SQL()->SetText("select 1\n");
  ModuleServices().CheckFileAges();
  EXPECT_EQ(recorder_.events, std::vector<std::string>{"reloaded"});
  EXPECT_EQ(editor->Text(), "select 1\n");
  // ... but never over edits not yet saved.
  editor->SetText("mine\n");
  query_->SQL()->SetText("select 2\n");
  EXPECT_EQ(editor->Text(), "mine\n");
  EXPECT_EQ(designer_.modified, 1);
}

TEST_F(BridgeTest, UnsavedTextIsClosedOnlyWhenTheHostAgrees) {
  Open(true);
  TCloseAnswer answer = TCloseAnswer::Keep;
  int asked = 0;
  ModuleServices().SetCloseQuery([&](TModule&) {
    ++asked;
    return answer;
  });
  Module()->GetModuleFileEditor(0)->SetText("edited\n");
  EXPECT_FALSE(dv::CloseStringsModule(&designer_, query_, "SQL"));
  ASSERT_NE(Module(), nullptr);
  EXPECT_EQ(Module()->GetModuleFileEditor(0)->Text(), "edited\n");

  answer = TCloseAnswer::Save;
  EXPECT_TRUE(dv::CloseStringsModule(&designer_, query_, "SQL"));
  EXPECT_EQ(Module(), nullptr);
  EXPECT_EQ(query_->SQL()->Text(), "edited\n");
  EXPECT_EQ(designer_.modified, 1);

  Open();
  Module()->GetModuleFileEditor(0)->SetText("dropped\n");
  answer = TCloseAnswer::Discard;
  EXPECT_TRUE(dv::CloseStringsModule(&designer_, query_, "SQL"));
  EXPECT_EQ(query_->SQL()->Text(), "edited\n");
  EXPECT_EQ(asked, 3);

  // Without a host to ask, unsaved text is kept.
  ModuleServices().SetCloseQuery(nullptr);
  Open(true);
  EXPECT_FALSE(dv::CloseStringsModule(&designer_, query_, "SQL"));
}

TEST_F(BridgeTest, NoIdentifierMeansNoModule) {
  rtl::TComponent elsewhere(nullptr);
  dralvo::TDVQuery stray(&elsewhere);
  stray.SetName("Stray");
  rtl::TStringList notAComponent;
  for (rtl::TPersistent* object : {static_cast<rtl::TPersistent*>(&stray), static_cast<rtl::TPersistent*>(&notAComponent)}) {
    EXPECT_EQ(dv::StringsModuleIdent(&designer_, object, "SQL"), "");
    EXPECT_TRUE(dv::CloseStringsModule(&designer_, object, "SQL"));
    EXPECT_FALSE(dv::ShowStringsModule(&designer_, object, "SQL"));
    EXPECT_THROW(dv::OpenStringsInCodeEditor(&designer_, object, "SQL", false, &notAComponent), rtl::EComponentError);
  }
  Open();
  root_.SetName("");
  EXPECT_FALSE(dv::ShowStringsModule(&designer_, query_, "SQL")) << "a root without a name";
  EXPECT_EQ(ModuleServices().ModuleCount(), 1);
}

// A module that holds no file (its creator gave no source).
struct TNoSourceCreator : IOTAModuleCreator {
  std::string GetCreatorType() override { return "Text"; }
  bool GetExisting() override { return true; }
  std::string GetFileSystem() override { return TStringsFileSystem::FileSystemName; }
  TModule* GetOwner() override { return nullptr; }
  bool GetUnnamed() override { return false; }
  std::string GetAncestorName() override { return {}; }
  std::string GetImplFileName() override { return "dfm.Form1.Query1.SQL"; }
  std::string GetIntfFileName() override { return {}; }
  std::string GetFormName() override { return {}; }
  bool GetMainForm() override { return false; }
  bool GetShowForm() override { return false; }
  bool GetShowSource() override { return false; }
  std::unique_ptr<IOTAFile> NewFormFile(const std::string&, const std::string&) override { return nullptr; }
  std::unique_ptr<IOTAFile> NewImplSource(const std::string&, const std::string&, const std::string&) override {
    return nullptr;
  }
  std::unique_ptr<IOTAFile> NewIntfSource(const std::string&, const std::string&, const std::string&) override {
    return nullptr;
  }
  void FormCreated(IOTAFormEditor*) override {}
};

TEST_F(BridgeTest, AModuleWithoutFilesCountsAsNotOpen) {
  StFilSys::Register();
  TModule* empty = ModuleServices().CreateModule(std::make_unique<TNoSourceCreator>());
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(empty->GetModuleFileCount(), 0);
  EXPECT_FALSE(dv::ShowStringsModule(&designer_, query_, "SQL"));
  EXPECT_TRUE(dv::CloseStringsModule(&designer_, query_, "SQL"));
  EXPECT_EQ(ModuleServices().FindModule("dfm.Form1.Query1.SQL"), empty) << "left alone";
}

TEST_F(BridgeTest, AnyTextGoesThereAndBackUnchanged) {
  std::string longLine(3 << 20, 'x');
  for (size_t i = 0; i < longLine.size(); i += 997) longLine[i] = static_cast<char>(1 + i % 250);
  for (size_t i = 0; i < longLine.size(); ++i)
    if (longLine[i] == '\n') longLine[i] = '\r';  // a lone CR stays inside its line
  const std::string text = "\xC3\xA9t\xC3\xA9 \xE2\x82\xAC\n" + longLine + "\n\n\xF0\x9F\x98\x80 \r\n";
  query_->SQL()->Clear();
  Open();
  EXPECT_EQ(Module()->GetModuleFileEditor(0)->Text(), "") << "an empty list is an empty text";
  Module()->GetModuleFileEditor(0)->SetText(text);
  Module()->Save();
  ASSERT_EQ(query_->SQL()->Count(), 4);
  EXPECT_EQ(query_->SQL()->Get(1), longLine);
  EXPECT_EQ(query_->SQL()->Get(3), "\xF0\x9F\x98\x80 \r");
  ASSERT_TRUE(dv::CloseStringsModule(&designer_, query_, "SQL"));
  Open();
  EXPECT_EQ(Module()->GetModuleFileEditor(0)->Text(), text);
}

TEST_F(BridgeTest, FreeingTheComponentClosesItsModule) {
  Open(true);
  delete query_;
  EXPECT_EQ(Module(), nullptr);
  EXPECT_EQ(recorder_.events.back(), "closing dfm.Form1.Query1.SQL");
  EXPECT_EQ(StFilSys::StringsFileSystem()->Find("dfm.Form1.Query1.SQL"), nullptr);
}

TEST(AltKey, ReadsTheKeyboardOrTheScriptsKeys) {
  EXPECT_FALSE(dv::IsAltKeyDown()) << "no one holds Alt on the offscreen platform";
  vcl::TScriptAutomation script;
  vcl::ScopedAutomation scope(script);
  EXPECT_FALSE(dv::IsAltKeyDown());
  script.KeysDown = {vcl::VK_SHIFT};
  EXPECT_FALSE(dv::IsAltKeyDown());
  script.KeysDown = {vcl::VK_MENU};
  EXPECT_TRUE(dv::IsAltKeyDown());
  EXPECT_EQ(vcl::GetAsyncKeyState(vcl::VK_MENU) & 1, 0) << "only the held bit";
}

}  // namespace
