#pragma once
// The Object Inspector panel: the property rows of the selected components
// from the framework's model, each with its value; the row a person clicks
// gets a value cell to edit in (ValueEditor.h). Sub-properties open under
// their row; a toggle groups the rows by category. Typing a value and pressing Enter, or picking one, calls the
// editor's SetValue; the ellipsis runs its Edit. Each is one undoable
// change; an editor's error is shown in a message box and the row shows
// its value again.
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <set>
#include <string>

#include "model/InspectorModel.h"
#include "window/ValueEditor.h"

class QLabel;
class QStatusBar;
class QToolButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace designer {

class TDesignDocument;

class TInspectorPanel : public QWidget {
 public:
  TInspectorPanel(QStatusBar* statusBar, QWidget* parent);
  ~TInspectorPanel() override;

  // Shows the selection of this document (null: nothing).
  void SetDocument(TDesignDocument* document);
  // The selection changed: the rows are made anew.
  void Reload();
  // The components changed: every row shows its value again.
  void RefreshValues();
  // Forgets the rows before the components they show go.
  void Clear();

  bool ByCategory() const;
  void SetByCategory(bool byCategory);
  // The value cell of the current line, when it shows this dotted path;
  // null otherwise.
  TValueEditor* EditorOf(const std::string& path) const;
  QTreeWidgetItem* ItemOf(const std::string& path) const;
  QTreeWidget* Tree() const { return tree_; }
  const TInspectorModel* Model() const { return model_.get(); }

 private:
  void Fill();
  void SetHeading(const std::string& text);
  void AddRow(QTreeWidgetItem* parent, designide::TInspectorRow& row);
  // The current line gets a value cell; the one before gives its cell up.
  void MakeEditor(QTreeWidgetItem* item);
  void DropEditor();
  void Expand(QTreeWidgetItem* item);
  std::string ValueText(const std::string& path, std::string& problem) const;
  void ShowValueOf(const std::string& path);
  // Runs an editor's work on a row, reporting its error; the rows are
  // made anew only once it is done.
  void Act(const std::string& what, const std::string& path, const std::function<void()>& act);
  void Enter(const std::string& path, const std::string& text);
  void Ellipsis(const std::string& path);
  std::vector<std::string> ValuesOf(const std::string& path);

  QStatusBar* statusBar_;
  TDesignDocument* document_ = nullptr;
  std::unique_ptr<TInspectorModel> model_;
  std::set<std::string> expanded_;
  int working_ = 0;
  bool reloadPending_ = false;  // paths of opened rows, kept across reloads
  QLabel* heading_;
  QToolButton* byCategory_;
  QTreeWidget* tree_;
  QPointer<TValueEditor> editor_;  // the value cell of the current line
  std::string editorPath_;
  bool filling_ = false;
};

}  // namespace designer
