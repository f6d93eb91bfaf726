#pragma once
// The designer's main window: the palette above, the Structure view and the
// Object Inspector at the side, and in the middle the module view with one
// tab per text module open in the code editor. It holds the one open data
// module (a TDesignDocument) and carries out what a person asks for through
// the menus and the panels, reporting every failure in a message box.
#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>

#include "model/DesignDocument.h"
#include "model/DesignerSettings.h"
#include "window/PaletteImages.h"

class QAction;
class QMenu;
class QScrollArea;
class QTabWidget;

namespace designide {
class TModule;
}

namespace designer {

class TCodeEditorPanel;
class TDataPanel;
class TInspectorPanel;
class TModuleView;
class TPalettePanel;
class TStructurePanel;

enum class TFileQuestion { Open, SaveAs };

class TMainWindow : public QMainWindow {
 public:
  explicit TMainWindow(TDesignerSettings settings);
  ~TMainWindow() override;

  // --- What the File menu does (also for scripts and tests) -----------------
  // Opens a module, after asking to save the one open now. True when opened.
  bool OpenFile(const std::string& fileName);
  bool NewModule();
  // True when saved; a failure is shown and leaves the module modified.
  bool Save();
  bool SaveAs(const std::string& fileName);
  // What File > Save does: the text module of the code-editor tab in front
  // (its text goes into its property), else the data module.
  bool SaveCurrent();
  // Closes the module, asking first when it has unsaved changes; false when
  // the person cancelled or saving failed.
  bool CloseModule();

  TDesignDocument* Document() const { return document_.get(); }
  TModuleView* ModuleView() const { return moduleView_; }
  TPalettePanel* Palette() const { return palette_; }
  TInspectorPanel* Inspector() const { return inspector_; }
  TStructurePanel* Structure() const { return structure_; }
  TDataPanel* DataView() const { return data_; }
  TCodeEditorPanel* CodeEditor() const { return codeEditor_.get(); }
  QTabWidget* Editors() const { return centre_; }
  QAction* Action(const char* name) const;
  const TDesignerSettings& Settings() const { return settings_; }

  // Asks for a file name; "" when the person cancelled. By default Qt's file
  // dialog, when there is a display and no automation; a test or script
  // answers here instead.
  std::function<std::string(TFileQuestion question, const std::string& suggestion)> AskFileName;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  // MainWindow.cpp
  void BuildPanels();
  void SetDocument(std::unique_ptr<TDesignDocument> document);
  void DocumentChanged(unsigned changes);
  void UpdateTitle();
  void UpdateActions();
  // The selected component when it is a dataset the Data view can show.
  void ShowSelectedData();
  // While the Data view runs a query, nothing else takes input.
  void SetQueryRunning(bool running);
  void RestoreGeometry();
  void SaveGeometry();
  // MainMenus.cpp
  void BuildMenus();
  void FillRecentMenu();
  void ShowAbout();
  // FileCommands.cpp
  bool AskToSave();
  // ChangedOnDisk.cpp
  bool SaveOverChangedFile();
  bool SaveTextModule(designide::TModule& module);
  std::string AskForFileName(TFileQuestion question, const std::string& suggestion);
  void RememberRecent(const std::string& fileName);
  // ModuleActions.cpp
  void WireModuleView();
  void CreateAt(QPoint at);
  void RunVerb(rtl::TComponent& component, int index, const std::string& caption);
  void EditComponent(rtl::TComponent& component);
  void ShowContextMenu(rtl::TComponent* component, QPoint globalPos);
  // Brings the string list's code tab to the front, opening it when needed.
  void OpenInCodeEditor(const std::string& component, const std::string& property);
  void DeleteSelection();
  void UndoChange();
  void RedoChange();
  void StepHistory(const std::string& what, const std::function<void()>& step, const std::function<void()>& back);

  TDesignerSettings settings_;
  TPaletteImages images_;
  std::unique_ptr<TDesignDocument> document_;
  TPalettePanel* palette_ = nullptr;
  QTabWidget* centre_ = nullptr;
  QScrollArea* moduleScroll_ = nullptr;
  TModuleView* moduleView_ = nullptr;
  TInspectorPanel* inspector_ = nullptr;
  TStructurePanel* structure_ = nullptr;
  TDataPanel* data_ = nullptr;
  std::unique_ptr<TCodeEditorPanel> codeEditor_;
  QMenu* recentMenu_ = nullptr;
};

}  // namespace designer
