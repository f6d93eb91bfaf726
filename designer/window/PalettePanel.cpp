#include "window/PalettePanel.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QStyle>
#include <QToolButton>

#include "designide/Registration.h"
#include "rtl/system/SysUtils.h"
#include "window/PaletteImages.h"

namespace designer {

TPalettePanel::TPalettePanel(const TPaletteImages& images, QWidget* parent)
    : QTabWidget(parent), images_(images), group_(new QButtonGroup(this)) {
  setObjectName("Palette");
  setDocumentMode(true);
  group_->setExclusive(true);
}

void TPalettePanel::Rebuild() {
  chosen_ = nullptr;
  buttons_.clear();
  arrows_.clear();
  while (count() > 0) {
    QWidget* page = widget(0);
    removeTab(0);
    delete page;
  }
  for (const std::string& page : designide::PalettePages()) addTab(MakePage(page), QString::fromStdString(page));
}

QWidget* TPalettePanel::MakePage(const std::string& page) {
  auto* holder = new QWidget(this);
  auto* row = new QHBoxLayout(holder);
  row->setContentsMargins(2, 2, 2, 2);
  row->setSpacing(1);
  const QSize iconSize(TPaletteImages::Size, TPaletteImages::Size);

  auto* arrow = new QToolButton(holder);
  arrow->setObjectName("PaletteArrow");
  arrow->setIcon(style()->standardIcon(QStyle::SP_ArrowUp));
  arrow->setIconSize(iconSize);
  arrow->setToolTip("Select and move components");
  arrow->setCheckable(true);
  arrow->setChecked(arrows_.empty());
  arrow->setAutoRaise(true);
  group_->addButton(arrow);
  arrows_.push_back(arrow);
  QObject::connect(arrow, &QToolButton::clicked, this, [this] { Choose(nullptr); });
  row->addWidget(arrow);

  for (const rtl::TClass* cls : designide::PaletteComponents(page)) {
    auto* button = new QToolButton(holder);
    button->setObjectName(QString::fromStdString(cls->ClassName()));
    button->setIcon(QIcon(images_.ImageOf(*cls)));
    button->setIconSize(iconSize);
    button->setToolTip(QString::fromStdString(cls->ClassName()));
    button->setCheckable(true);
    button->setAutoRaise(true);
    group_->addButton(button);
    buttons_.emplace_back(cls, button);
    QObject::connect(button, &QToolButton::clicked, this, [this, cls] { Choose(cls); });
    row->addWidget(button);
  }
  row->addStretch(1);
  return holder;
}

void TPalettePanel::Choose(const rtl::TClass* cls) {
  chosen_ = cls;
  if (OnChosen) OnChosen(cls);
}

void TPalettePanel::ClearChoice() {
  const int page = currentIndex();
  if (page >= 0 && page < static_cast<int>(arrows_.size())) arrows_[static_cast<size_t>(page)]->setChecked(true);
  chosen_ = nullptr;
}

QToolButton* TPalettePanel::ButtonOf(const std::string& className) const {
  for (const auto& [cls, button] : buttons_)
    if (rtl::SameText(cls->ClassName(), className)) return button;
  return nullptr;
}

}  // namespace designer
