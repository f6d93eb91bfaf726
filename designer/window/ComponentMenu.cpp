#include "window/ComponentMenu.h"

#include <QMenu>

namespace designer {

QMenu* BuildComponentMenu(QWidget* parent, const std::vector<TVerb>& verbs,
                          const std::function<void(int verbIndex)>& runVerb, const std::vector<QAction*>& ownEntries) {
  auto* menu = new QMenu(parent);
  menu->setObjectName("ComponentMenu");
  menu->setAttribute(Qt::WA_DeleteOnClose);
  for (const TVerb& verb : verbs) {
    if (verb.IsSeparator()) {
      menu->addSeparator();
      continue;
    }
    // Captions are shown as given: "&" marks the key a person may press.
    QAction* action = menu->addAction(QString::fromStdString(verb.Caption));
    const int index = verb.Index;
    QObject::connect(action, &QAction::triggered, menu, [runVerb, index] { runVerb(index); });
  }
  if (!verbs.empty() && !ownEntries.empty()) menu->addSeparator();
  for (QAction* action : ownEntries) menu->addAction(action);
  return menu;
}

}  // namespace designer
