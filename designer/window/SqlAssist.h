#pragma once
// What the code editor adds to a tab whose text is SQL of a database
// component: completion from the database's catalog (window/SqlCompleter)
// and, for an update object's statements, `check`'s findings in place:
// each marked on its line (a squiggle, the message below the line and as
// the line's tool tip) and listed in the Findings panel, which jumps to the
// line. Checking runs on demand (F7, or the panel's Check button) and when
// the tab's text is saved into its property. With no code tab in front, the
// Check button checks the four statements of the selected update object and
// lists what it found; a statement's findings are marked in its tab when it
// is open or once it opens (activating a finding opens it).
#include <QObject>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "model/CatalogCache.h"
#include "model/StatementFindings.h"

class QListWidget;
class QTabWidget;
class QWidget;
class QsciScintilla;

namespace designide {
class TModule;
}
namespace rtl {
class TComponent;
}
namespace dralvo {
class TDVDataSetUpdateObject;
}

namespace designer {

class TSqlCompleter;

class TSqlAssist {
 public:
  explicit TSqlAssist(QTabWidget& tabs);
  ~TSqlAssist();
  TSqlAssist(const TSqlAssist&) = delete;
  TSqlAssist& operator=(const TSqlAssist&) = delete;

  void Attach(QsciScintilla& editor, const std::string& fileName);
  void Detach(QsciScintilla& editor);

  // Checks the update object whose statement the tab shows (its stored
  // text) and marks what was found; false when the tab shows no update
  // object's statement.
  bool Check(QsciScintilla& editor);
  // Checks all four statements of the update object (their stored text),
  // marks the findings in their open tabs and lists them all.
  bool CheckUpdateObject(dralvo::TDVDataSetUpdateObject& update);
  // What the Check button does: the SQL tab in front, else the selected
  // update object; says so when there is neither.
  bool CheckInFront();
  // Forgets the findings of statements that have no tab (the module goes).
  void ForgetFindings();
  // The tab's text went into its property: an update object's statement is
  // checked again.
  void Saved(QsciScintilla& editor);
  // Forgets the names read of the tab's database; the next completion reads
  // them anew.
  void RefreshNames(QsciScintilla& editor);

  TSqlCompleter* CompleterOf(const QsciScintilla& editor) const;
  const std::vector<TLineFinding>& FindingsOf(const QsciScintilla& editor) const;
  TCatalogCache& Catalogs() { return catalogs_; }
  // The Findings panel's contents (a Check button and the list), for the
  // window to dock.
  QWidget* FindingsView() const { return view_; }
  QListWidget* FindingsList() const { return list_; }

  // The component selected in the window (for the Check button).
  std::function<rtl::TComponent*()> SelectedComponent;
  // Opens a component's string list in the code editor (a listed finding
  // whose statement has no tab yet).
  std::function<void(const std::string& component, const std::string& property)> OpenStringList;

 private:
  struct TTab {
    std::string FileName;
    std::unique_ptr<TSqlCompleter> Completer;
    std::vector<TLineFinding> Findings;
  };
  // A finding of a statement whose tab is not open; FileName is "" for the
  // update object as a whole.
  struct TLooseFinding {
    std::string FileName;
    std::string Component;
    std::string Property;
    TLineFinding Finding;
  };
  TTab* TabOf(const std::string& fileName, QsciScintilla** editor);
  void JumpTo(const std::string& fileName, int line, int column);
  rtl::TComponent* ComponentOf(const std::string& fileName) const;
  void Mark(QsciScintilla& editor, const TTab& tab);
  void FillList();
  void ShowStatus(const std::string& text);
  QsciScintilla* FrontEditor() const;

  QTabWidget& tabs_;
  std::map<const QsciScintilla*, TTab> open_;
  std::vector<TLooseFinding> loose_;
  QObject guard_;  // drops queued notices of catalogs once the assist is gone
  TCatalogCache catalogs_;
  QWidget* view_ = nullptr;  // a child of the window, which docks it
  QListWidget* list_ = nullptr;
};

}  // namespace designer
