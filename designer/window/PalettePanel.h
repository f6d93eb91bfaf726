#pragma once
// The component palette: one tab per palette page, a button per registered
// component class with its bitmap and the class name as its hint. Choosing
// a button makes that class the one the next click on the module creates;
// the arrow button at the start of each page chooses none.
#include <QTabWidget>
#include <functional>
#include <string>
#include <vector>

#include "rtl/objects/TypeInfo.h"

class QButtonGroup;
class QToolButton;

namespace designer {

class TPaletteImages;

class TPalettePanel : public QTabWidget {
 public:
  TPalettePanel(const TPaletteImages& images, QWidget* parent);

  // Fills the pages from the palette registrations as they stand now.
  void Rebuild();
  // The class chosen for the next click on the module, or null.
  const rtl::TClass* ChosenClass() const { return chosen_; }
  void ClearChoice();
  // The button of a class ("TDVQuery"), or null.
  QToolButton* ButtonOf(const std::string& className) const;

  std::function<void(const rtl::TClass*)> OnChosen;

 private:
  QWidget* MakePage(const std::string& page);
  void Choose(const rtl::TClass* cls);

  const TPaletteImages& images_;
  QButtonGroup* group_;
  std::vector<std::pair<const rtl::TClass*, QToolButton*>> buttons_;
  std::vector<QToolButton*> arrows_;
  const rtl::TClass* chosen_ = nullptr;
};

}  // namespace designer
