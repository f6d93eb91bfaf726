#pragma once
// The value cell of one Object Inspector row: a line to type in, or a
// drop-down of the editor's values (filled when it opens, so a catalog is
// read only when a person asks for it), and an ellipsis button for a row
// with a dialog. Enter, or picking from the drop-down, hands the text over;
// the panel carries it out and puts back whatever the row holds then.
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "model/InspectorModel.h"

class QComboBox;
class QLineEdit;
class QToolButton;

namespace designer {

class TValueEditor : public QWidget {
 public:
  TValueEditor(const TValueEditing& editing, QWidget* parent);

  // Shows the row's value as it is now, dropping what was typed.
  void ShowValue(const std::string& text);
  std::string Text() const;
  // The line a person types into (that of the drop-down for a list).
  QLineEdit* Line() const;
  QComboBox* List() const { return list_; }          // null without a list
  QToolButton* Ellipsis() const { return ellipsis_; }  // null without a dialog

  std::function<void(const std::string& text)> OnEnter;
  std::function<void()> OnEllipsis;
  // The values to offer, asked each time the drop-down opens.
  std::function<std::vector<std::string>()> OnValues;

  // Fills the drop-down from OnValues; a completing line is filled at once
  // by its panel, so that typing completes from the start.
  void FillList();

 private:
  void Enter(const std::string& text);

  QComboBox* list_ = nullptr;
  QLineEdit* line_ = nullptr;
  QToolButton* ellipsis_ = nullptr;
  std::string shown_;  // the value last shown: entering it again changes nothing
};

}  // namespace designer
