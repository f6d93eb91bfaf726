// The database editor's dialog handlers outside a dialog, linked into this
// program from the package's units with a settings object of the test's own.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <memory>

#include "CountingDesigner.h"
#include "DVReg/editors/DatabaseEditor.h"
#include "DVReg/settings/DesignSettings.h"
#include "TempDir.h"
#include "dralvo/Database.h"
#include "rtl/settings/Registry.h"

namespace {

TEST(DatabaseEditorHandlers, DoNothingWhileNoDialogIsOpen) {
  dvtest::TempDir config, folder;
  setenv("XDG_CONFIG_HOME", config.Path().c_str(), 1);
  rtl::TRegistry registry;
  ASSERT_TRUE(registry.OpenKey("Software\\Dralvo", true));
  registry.WriteString("RootDir", folder.Path());
  const std::string text = "[TDVDatabase_Params]\nuser=x\n";
  std::ofstream(folder.File("dralvo.ini")) << text;
  dralvo::SetDefServerType(dralvo::TDVServerType::stSQLite);

  auto settings = std::make_unique<dv::TDesignSettings>();
  dv::DesignSettings = settings.get();
  rtl::TComponent root(nullptr);
  dvtest::TCountingDesigner designer(&root);
  auto* database = new dralvo::TDVDatabase(&root);
  auto made = designide::CreateComponentEditor(dv::TDVDatabaseEditor::StaticClass(), database, &designer);
  auto& editor = *rtl::As<dv::TDVDatabaseEditor>(made.get());

  EXPECT_EQ(editor.EditDlg(), nullptr);
  editor.LoadDefaultParams(nullptr);
  editor.SaveDefaultParams(nullptr);
  editor.SaveDefaultSrvType(nullptr);
  editor.GetDefaultParams(nullptr);
  rtl::TStringList defaults;
  editor.GetDefaultParams(&defaults);
  EXPECT_EQ(defaults.ToVector(), std::vector<std::string>{"user=x"});

  std::ifstream in(folder.File("dralvo.ini"));
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()), text);
  EXPECT_EQ(dralvo::GetDefServerType(), dralvo::TDVServerType::stSQLite);
  EXPECT_EQ(designer.modified, 0);
  dv::DesignSettings = nullptr;
}

}  // namespace
