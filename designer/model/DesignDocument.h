#pragma once
// One data module open in the designer: its components, its file, whether
// it needs saving, what is selected, and the undo history. It is the
// designer the package's editors report to (IDesigner): every Modified
// becomes one undo step and marks the module modified.
//
// No widget here: the window shows the document and tells it what a person
// did; tests drive it directly.
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "designide/Designer.h"
#include "model/Selection.h"
#include "model/UndoHistory.h"
#include "rtl/files/FileStamp.h"
#include "rtl/objects/Component.h"

namespace designer {

// What changed, as flags handed to TDesignDocument::OnChange.
enum TDocumentChange : unsigned {
  dcModifiedFlag = 1u << 0,  // the module's modified mark or file name
  dcComponents = 1u << 1,    // components made, freed, renamed or edited
  dcPositions = 1u << 2,     // design positions
  dcSelection = 1u << 3,
  dcModule = 1u << 4,        // a new root replaced the old one (undo, redo)
};

class TDesignDocument : public designide::IDesigner {
 public:
  // Reads a module file as a designer does (every component marked as
  // designed, relative database files taken from the module's folder).
  // Raises EFormFileError naming file, line and column, or EFOpenError.
  static std::unique_ptr<TDesignDocument> Open(const std::string& fileName);
  // A new, empty, untitled data module.
  static std::unique_ptr<TDesignDocument> CreateNew();
  ~TDesignDocument() override;
  TDesignDocument(const TDesignDocument&) = delete;
  TDesignDocument& operator=(const TDesignDocument&) = delete;

  rtl::TComponent& Root() const { return *root_; }
  // Absolute path; empty while the module is untitled.
  const std::string& FileName() const { return fileName_; }
  // The file's name without its folder ("Untitled.dfm" while untitled).
  std::string DisplayName() const;
  bool IsModified() const { return modified_; }
  TSelection& Selection() { return selection_; }

  // --- IDesigner ------------------------------------------------------------
  // Records the change as one undo step (or as part of the running action)
  // and marks the module modified.
  void Modified() override;
  rtl::TComponent* GetRoot() override { return root_.get(); }

  // --- Saving ---------------------------------------------------------------
  // Writes the module to its file in one rename; a failure raises and leaves
  // the file as it was and the module modified. Raises when untitled, and
  // rtl::EFileChangedError when another program saved the file since it was
  // opened or last saved here (unless `overwrite`: a person chose to).
  void Save(bool overwrite = false);
  // Saves under another name, which the module keeps from then on; relative
  // database files are then taken from the new folder.
  void SaveAs(const std::string& fileName);

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

  // Told after every change (flags of TDocumentChange).
  std::function<void(unsigned changes)> OnChange;
  // Told just before the root is freed and made anew: nothing may keep a
  // pointer into the old one.
  std::function<void()> OnRootReplacing;

 private:
  TDesignDocument(std::unique_ptr<rtl::TComponent> root, std::string fileName, std::string text);
  static std::unique_ptr<rtl::TComponent> ReadModule(const std::string& text, const std::string& source,
                                                     const std::string& folder);
  void RecordChange(const std::string& label, std::vector<std::string> selectedBefore);
  // Makes the root anew from `text` and selects the components named.
  void Restore(const std::string& text, const std::vector<std::string>& selected);
  std::vector<std::string> SelectedNames() const;
  void FreeRoot() noexcept;
  void Notify(unsigned changes);
  std::string Folder() const;

  std::unique_ptr<rtl::TComponent> root_;
  std::string fileName_;
  rtl::TFileStamp stamp_;  // the file as opened or last saved
  std::string text_;       // the module's form text as of the last recorded change
  std::string savedText_;  // as of the last open or save
  bool textKnown_ = true;  // text_ is the module as it stands (else no undo)
  bool modified_ = false;
  int actionDepth_ = 0;
  bool actionModified_ = false;
  std::vector<std::string> actionSelection_;  // selected when the action began
  TSelection selection_;
  TUndoHistory history_;
};

}  // namespace designer
