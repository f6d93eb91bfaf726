// The component-editor rows of Register, answered by the framework's
// look-ups while the real package is loaded, and gone once it is unloaded.
#include <algorithm>

#include "EditorsTestSupport.h"
#include "designide/Registration.h"
#include "dralvo/Engine.h"

namespace {

using namespace dralvo;

std::string EditorName(const rtl::TClass& componentClass) {
  const rtl::TClass* editor = designide::FindComponentEditorClass(componentClass);
  return editor != nullptr ? editor->ClassName() : std::string("(none)");
}

class EditorRegistration : public edtest::LoadedPackage {};

TEST_F(EditorRegistration, EachClassGetsItsEditor) {
  struct TRow {
    const rtl::TClass& Component;
    const char* Editor;
  };
  const TRow rows[] = {
      {TDVSession::StaticClass(), "TDVDefaultEditor"},   {TDVUpdateSQL::StaticClass(), "TDVUpdateSQLEditor"},
      {TDVScript::StaticClass(), "TDVScriptEditor"},     {TDVMonitor::StaticClass(), "TDVDefaultEditor"},
      {TDVSQLBaseServer::StaticClass(), "TDVDefaultEditor"},
  };
  for (const TRow& row : rows) EXPECT_EQ(EditorName(row.Component), row.Editor) << row.Component.ClassName();

  const rtl::TClass* script = designide::FindComponentEditorClass(TDVScript::StaticClass());
  const rtl::TClass* session = designide::FindComponentEditorClass(TDVSession::StaticClass());
  ASSERT_NE(script, nullptr);
  ASSERT_NE(session, nullptr);
  EXPECT_TRUE(script->InheritsFrom(*session)) << "the script editor is a default editor";
  EXPECT_TRUE(session->InheritsFrom(designide::TComponentEditor::StaticClass()));
}

TEST_F(EditorRegistration, DatasetsAndDatabasesDoNotGetTheseEditors) {
  for (const rtl::TClass* cls : {&TDVTable::StaticClass(), &TDVQuery::StaticClass(), &TDVStoredProc::StaticClass(),
                                 &TDVDatabase::StaticClass()}) {
    SCOPED_TRACE(cls->ClassName());
    const std::string name = EditorName(*cls);
    EXPECT_NE(name, "TDVUpdateSQLEditor");
    EXPECT_NE(name, "TDVDefaultEditor");
    EXPECT_NE(name, "TDVScriptEditor");
  }
}

TEST_F(EditorRegistration, RowsInRegisterOrderAndRemovedOnUnload) {
  std::vector<std::string> mine;
  for (const auto& info : designide::Registrations(module_)) {
    if (info.Kind != designide::TRegistrationKind::ComponentEditor) continue;
    std::string line = designide::DescribeRegistration(info);
    for (const char* editor : {"TDVDefaultEditor", "TDVUpdateSQLEditor", "TDVScriptEditor"})
      if (line.size() >= std::string(editor).size() && line.compare(line.size() - std::string(editor).size(),
                                                                    std::string::npos, editor) == 0)
        mine.push_back(line);
  }
  EXPECT_EQ(mine, (std::vector<std::string>{"ComponentEditor TDVSession -> TDVDefaultEditor",
                                            "ComponentEditor TDVUpdateSQL -> TDVUpdateSQLEditor",
                                            "ComponentEditor TDVScript -> TDVScriptEditor",
                                            "ComponentEditor TDVMonitor -> TDVDefaultEditor",
                                            "ComponentEditor TDVSQLBaseServer -> TDVDefaultEditor"}));
  rtl::UnloadPackage(module_);
  module_ = nullptr;
  EXPECT_EQ(designide::FindComponentEditorClass(TDVScript::StaticClass()), nullptr);
  EXPECT_EQ(designide::FindComponentEditorClass(TDVUpdateSQL::StaticClass()), nullptr);
}

}  // namespace
