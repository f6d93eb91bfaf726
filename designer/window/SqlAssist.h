#pragma once
// What the code editor adds to a tab whose text is SQL of a database
// component: completion from the database's catalog (window/SqlCompleter)
// and, for an update object's statements, `check`'s findings in place:
// each marked on its line (a squiggle, the message below the line and as
// the line's tool tip) and listed in the Findings panel, which jumps to the
// line. Checking runs on demand (F7, or the panel's Check button) and when
// the tab's text is saved into its property.
#include <QObject>
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

 private:
  struct TTab {
    std::string FileName;
    std::unique_ptr<TSqlCompleter> Completer;
    std::vector<TLineFinding> Findings;
  };
  rtl::TComponent* ComponentOf(const std::string& fileName) const;
  void Mark(QsciScintilla& editor, const TTab& tab);
  void FillList();
  void ShowStatus(const std::string& text);
  QsciScintilla* FrontEditor() const;

  QTabWidget& tabs_;
  std::map<const QsciScintilla*, TTab> open_;
  QObject guard_;  // drops queued notices of catalogs once the assist is gone
  TCatalogCache catalogs_;
  QWidget* view_ = nullptr;  // a child of the window, which docks it
  QListWidget* list_ = nullptr;
};

}  // namespace designer
