#pragma once
// The undo and redo stacks of one designed module. A step keeps the module's
// form text as it stood before the change it undoes: restoring that text
// brings back every property, owned list, reference and component order
// exactly, whatever editor made the change.
#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace designer {

// Unsaved text of a code tab whose property a step took away (a delete, an
// undo), kept with the step that brings the property back.
struct TKeptText {
  std::string Component;
  std::string Property;
  std::string Text;
};

struct TUndoStep {
  std::string Label;  // what the change did ("Move", "Delete OrdersQuery")
  std::string Text;   // the module's form text on the other side of the change
  std::vector<std::string> Selected;  // names of the components selected then
  std::vector<TKeptText> Texts;       // code-tab texts to bring back with it
};

class TUndoHistory {
 public:
  // At most this many steps are kept; the oldest go first.
  static constexpr size_t MaxSteps = 100;

  // A change was made: `before` is the state it replaced. Redo is cleared.
  void Record(TUndoStep before);
  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  const std::string& UndoLabel() const;  // "" when there is nothing
  const std::string& RedoLabel() const;
  // Takes the last change and keeps `current` (the state it made, with any
  // label) for redo.
  std::optional<TUndoStep> Undo(TUndoStep current);
  // Takes the last undone change back and keeps `current` for undo.
  std::optional<TUndoStep> Redo(TUndoStep current);
  // Adds texts to the step on top of the undo (or redo) stack.
  void KeepTexts(bool onRedo, std::vector<TKeptText> texts);
  void Clear();

 private:
  std::deque<TUndoStep> undo_;
  std::deque<TUndoStep> redo_;
};

}  // namespace designer
