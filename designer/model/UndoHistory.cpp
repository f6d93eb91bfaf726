#include "model/UndoHistory.h"

#include <iterator>

namespace designer {

namespace {
const std::string kNothing;
}  // namespace

void TUndoHistory::Record(TUndoStep before) {
  undo_.push_back(std::move(before));
  if (undo_.size() > MaxSteps) undo_.pop_front();
  redo_.clear();
}

const std::string& TUndoHistory::UndoLabel() const { return undo_.empty() ? kNothing : undo_.back().Label; }

const std::string& TUndoHistory::RedoLabel() const { return redo_.empty() ? kNothing : redo_.back().Label; }

std::optional<TUndoStep> TUndoHistory::Undo(TUndoStep current) {
  if (undo_.empty()) return std::nullopt;
  TUndoStep step = std::move(undo_.back());
  undo_.pop_back();
  current.Label = step.Label;
  redo_.push_back(std::move(current));
  return step;
}

std::optional<TUndoStep> TUndoHistory::Redo(TUndoStep current) {
  if (redo_.empty()) return std::nullopt;
  TUndoStep step = std::move(redo_.back());
  redo_.pop_back();
  current.Label = step.Label;
  undo_.push_back(std::move(current));
  return step;
}

void TUndoHistory::KeepTexts(bool onRedo, std::vector<TKeptText> texts) {
  std::deque<TUndoStep>& stack = onRedo ? redo_ : undo_;
  if (stack.empty()) return;
  std::vector<TKeptText>& kept = stack.back().Texts;
  kept.insert(kept.end(), std::make_move_iterator(texts.begin()), std::make_move_iterator(texts.end()));
}

void TUndoHistory::Clear() {
  undo_.clear();
  redo_.clear();
}

}  // namespace designer
