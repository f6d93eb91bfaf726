#pragma once
// The code editor's tabs across a step of the undo history. A step makes
// the module's components anew, which closes every text module tied to the
// old ones; the tabs are opened again on the new components under the same
// names, in the same order, each with its unsaved text, modified mark and
// cursor, and the tab in front stays in front. A tab whose component or
// property is gone after the step cannot come back: when it held unsaved
// text the person is asked before the step is kept, and the text is kept
// with the step that brings the property back (a delete too: the tabs of
// the components it frees are looked at the same way).
#include <string>
#include <vector>

#include "model/UndoHistory.h"

class QTabWidget;
class QWidget;

namespace designer {

class TCodeEditorPanel;
class TDesignDocument;

class TCodeTabsAcrossUndo {
 public:
  // Remembers the open tabs; call before the step.
  TCodeTabsAcrossUndo(TCodeEditorPanel& panel, QTabWidget& tabs);

  // Captions of tabs with unsaved text whose property the module no longer
  // has (after the step).
  std::vector<std::string> LostEdits(TDesignDocument& document) const;
  // Their texts, to keep with the step that brings the properties back.
  std::vector<TKeptText> LostTexts(TDesignDocument& document) const;
  // Captions of tabs with unsaved text on these components (before they go).
  std::vector<std::string> UnsavedOn(const std::vector<std::string>& components) const;
  // Opens the remembered tabs again where the module still has their
  // property, and the kept texts a step brought back, each with its text
  // unsaved; a tab that cannot be opened is reported and left closed.
  void Reopen(TDesignDocument& document, const std::vector<TKeptText>& broughtBack = {});

 private:
  struct TTab {
    std::string FileName;
    std::string Component;
    std::string Property;
    bool Modified = false;
    std::string Text;  // the unsaved text, when modified
    int Line = 0;
    int Index = 0;
  };
  static bool Exists(TDesignDocument& document, const std::string& component, const std::string& property);
  void Open(TDesignDocument& document, const TTab& tab);

  TCodeEditorPanel& panel_;
  QTabWidget& tabs_;
  std::vector<TTab> open_;
  std::string front_;             // the file name of the tab in front, if a code tab
  QWidget* frontPage_ = nullptr;  // else the page in front (the design page stays)
};

}  // namespace designer
