#pragma once
// One data module open in the designer window: the module core
// (core/DesignModule: the module, its file, saving) with what is selected
// and the undo history. Every Modified an editor reports becomes one undo
// step and marks the module modified.
//
// No widget here: the window shows the document and tells it what a person
// did; tests drive it directly.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/DesignModule.h"
#include "model/Selection.h"
#include "model/UndoHistory.h"

namespace designer {

// What changed, as flags handed to TDesignDocument::OnChange.
enum TDocumentChange : unsigned {
  dcModifiedFlag = 1u << 0,  // the module's modified mark or file name
  dcComponents = 1u << 1,    // components made, freed, renamed or edited
  dcPositions = 1u << 2,     // design positions
  dcSelection = 1u << 3,
  dcModule = 1u << 4,        // a new root replaced the old one (undo, redo)
};

class TDesignDocument : public TDesignModule {
 public:
  // Reads a module file as TDesignModule::Open does.
  static std::unique_ptr<TDesignDocument> Open(const std::string& fileName);
  // A new, empty, untitled data module.
  static std::unique_ptr<TDesignDocument> CreateNew();
  ~TDesignDocument() override;

  TSelection& Selection() { return selection_; }

  // Records the change as one undo step (or as part of the running action)
  // and marks the module modified, unless its text is again as saved.
  void Modified() override;

  // --- Changes a person makes -------------------------------------------------
  // One undoable step for everything `work` changes, named `label`. Modified
  // calls inside it are gathered; an exception from `work` still records
  // what was changed before it and then propagates.
  void Change(const std::string& label, const std::function<void()>& work);
  // A component of class `cls` named UniqueComponentName, owned by the
  // module, placed at (left, top) and selected.
  rtl::TComponent& CreateComponent(const rtl::TClass& cls, int left, int top);
  // Frees the selected components (the root is never deleted).
  void DeleteSelected();
  // Moves the selected components by (dx, dy).
  void MoveSelected(int dx, int dy);
  // Selects every component of the module.
  void SelectAll();

  // --- Undo -------------------------------------------------------------------
  bool CanUndo() const { return history_.CanUndo(); }
  bool CanRedo() const { return history_.CanRedo(); }
  const std::string& UndoLabel() const { return history_.UndoLabel(); }
  const std::string& RedoLabel() const { return history_.RedoLabel(); }
  // Bring back the module as it was before (after) the last change. The
  // root is made anew from the kept text; the components selected then are
  // selected again (by name).
  void Undo();
  void Redo();
  // Unsaved code-tab texts that the last change, undo or redo took away
  // with their properties: kept with the step that reverses it.
  void KeepTexts(std::vector<TKeptText> texts);
  // The texts kept with the step the last undo or redo took (once).
  std::vector<TKeptText> TakeTextsBroughtBack();

  // Told after every change (flags of TDocumentChange).
  std::function<void(unsigned changes)> OnChange;
  // Told just before the root is freed and made anew: nothing may keep a
  // pointer into the old one.
  std::function<void()> OnRootReplacing;

 private:
  TDesignDocument(const std::string& fileName, std::string& text);
  TDesignDocument();
  void Saved() override;
  void RecordChange(const std::string& label, std::vector<std::string> selectedBefore);
  // Makes the root anew from `text` and selects the components named.
  void Restore(const std::string& text, const std::vector<std::string>& selected);
  std::vector<std::string> SelectedNames() const;
  void Notify(unsigned changes);

  std::string text_;       // the module's form text as of the last recorded change
  bool textKnown_ = true;  // text_ is the module as it stands (else no undo)
  int actionDepth_ = 0;
  bool actionModified_ = false;
  std::vector<std::string> actionSelection_;  // selected when the action began
  TSelection selection_;
  TUndoHistory history_;
  bool lastWasUndo_ = false;  // the step that reverses the last one is on the redo stack
  std::vector<TKeptText> broughtBack_;
};

}  // namespace designer
