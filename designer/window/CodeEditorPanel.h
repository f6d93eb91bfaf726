#pragma once
// The code editor: one tab per text module that the module services hold
// open (a query's SQL, a database's parameters, opened by the package
// through OpenStringsInCodeEditor), each a QScintilla editor with SQL
// highlighting and line numbers. The designer is the services' host: it
// listens to them (tabs come, come to the front, get or lose their
// modified mark, reload, go) and answers their close query with a message
// box. A person's typing goes into the module's source editor; saving
// carries the text back into the property through the strings file
// system.
#include <memory>
#include <string>
#include <vector>

#include "designide/ToolsAPI.h"

class QTabWidget;
class QsciScintilla;
class QWidget;

namespace designer {

class TSqlAssist;

class TCodeEditorPanel : public designide::IModuleListener {
 public:
  // Hosts the process's module services in these tabs from now on.
  explicit TCodeEditorPanel(QTabWidget& tabs);
  // Closes the modules it shows without asking, and stops hosting.
  ~TCodeEditorPanel() override;
  TCodeEditorPanel(const TCodeEditorPanel&) = delete;
  TCodeEditorPanel& operator=(const TCodeEditorPanel&) = delete;

  // Closes every module, asking about unsaved text; false when the person
  // kept one open.
  bool CloseAll();
  // The module in this tab page, or null (the design page).
  designide::TModule* ModuleOf(const QWidget* page) const;
  QsciScintilla* EditorOf(const std::string& fileName) const;
  // Completion and check findings of the SQL tabs (window/SqlAssist.h).
  TSqlAssist& Assist() const { return *assist_; }
  // Shows the module's text as its source editor holds it now.
  void ShowModuleText(designide::TModule& module);
  // "ShopModule.OrdersQuery.SQL" for the module "dfm.ShopModule.OrdersQuery.SQL".
  static std::string Caption(const std::string& fileName);

  // --- designide::IModuleListener
  void ModuleOpened(designide::TModule& module) override;
  void EditorShown(designide::TSourceEditor& editor) override;
  void ModifiedChanged(designide::TSourceEditor& editor) override;
  void TextReloaded(designide::TSourceEditor& editor) override;
  void ModuleClosing(designide::TModule& module) override;

 private:
  struct TTab {
    designide::TModule* Module;
    QsciScintilla* Editor;
  };
  const TTab* TabOf(const designide::TModule& module) const;
  void ShowText(const TTab& tab, const std::string& text);
  void UpdateCaption(const TTab& tab);
  designide::TCloseAnswer AskClose(designide::TModule& module);

  QTabWidget& tabs_;
  std::vector<TTab> open_;
  bool loading_ = false;  // text put in by the program, not typed
  std::unique_ptr<TSqlAssist> assist_;
};

}  // namespace designer
