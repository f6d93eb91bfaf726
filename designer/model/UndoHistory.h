#pragma once
// The undo and redo stacks of one designed module. A step keeps the module's
// form text as it stood before the change it undoes: restoring that text
// brings back every property, owned list, reference and component order
// exactly, whatever editor made the change.
#include <cstddef>
#include <deque>
#include <optional>
#include <string>

namespace designer {

struct TUndoStep {
  std::string Label;  // what the change did ("Move", "Delete OrdersQuery")
  std::string Text;   // the module's form text on the other side of the change
};

class TUndoHistory {
 public:
  // At most this many steps are kept; the oldest go first.
  static constexpr size_t MaxSteps = 100;

  // A change was made: `before` is the text it replaced. Redo is cleared.
  void Record(std::string label, std::string before);
  bool CanUndo() const { return !undo_.empty(); }
  bool CanRedo() const { return !redo_.empty(); }
  const std::string& UndoLabel() const;  // "" when there is nothing
  const std::string& RedoLabel() const;
  // Takes the last change and keeps `current` (the text it made) for redo.
  std::optional<TUndoStep> Undo(std::string current);
  // Takes the last undone change back and keeps `current` for undo.
  std::optional<TUndoStep> Redo(std::string current);
  void Clear();

 private:
  std::deque<TUndoStep> undo_;
  std::deque<TUndoStep> redo_;
};

}  // namespace designer
