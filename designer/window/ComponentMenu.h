#pragma once
// The context menu of the module view: the component editor's verbs, with
// their captions and separators exactly as the editor gives them, then the
// designer's own entries. The menu pops up without waiting; a chosen entry
// runs once the menu has closed.
#include <QPoint>
#include <functional>
#include <vector>

#include "model/ComponentVerbs.h"

class QAction;
class QMenu;
class QWidget;

namespace designer {

// Builds the menu (freed when it closes): `verbs` first (a "-" caption is a
// separator), `ownEntries` after a separator when both are there.
QMenu* BuildComponentMenu(QWidget* parent, const std::vector<TVerb>& verbs,
                          const std::function<void(int verbIndex)>& runVerb, const std::vector<QAction*>& ownEntries);

}  // namespace designer
