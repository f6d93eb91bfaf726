#include "ToolkitMessages.h"

#include <QtGlobal>
#include <cstdlib>
#include <cstring>

namespace designer {

namespace {
QtMessageHandler previous = nullptr;

void Filter(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtDebugMsg || type == QtInfoMsg || type == QtWarningMsg) return;
  if (previous != nullptr) previous(type, context, message);
}
}  // namespace

void QuietToolkitMessages() {
  const char* keep = std::getenv("DV_QT_MESSAGES");
  if (keep != nullptr && std::strcmp(keep, "1") == 0) return;
  previous = qInstallMessageHandler(Filter);
}

}  // namespace designer
