#include "vcl/Shell.h"

#include <QDesktopServices>
#include <QUrl>
#include <iostream>

#include "vcl/Application.h"
#include "vcl/Automation.h"

namespace vcl {

namespace {
QUrl TargetUrl(const std::string& file) {
  QUrl url(QString::fromStdString(file));
  // A plain path has no scheme: it names a local file.
  if (url.scheme().isEmpty() || url.scheme().size() == 1) return QUrl::fromLocalFile(QString::fromStdString(file));
  return url;
}
}  // namespace

TShellResult ShellExecuteW(HWND owner, const std::string& operation, const std::string& file,
                           const std::string& parameters, const std::string& directory, int showCmd) {
  if (TAutomation* automation = CurrentAutomation())
    return automation->ShellExecuted({owner, operation, file, parameters, directory, showCmd});
  if (!operation.empty() && operation != "open") return SE_ERR_NOASSOC;
  if (file.empty()) return SE_ERR_FNF;
  EnsureWidgetSystem();
  if (!HasDisplay()) {
    std::cerr << "Not opened (no display): " << file << "\n";
    return SE_ERR_NOASSOC;
  }
  return QDesktopServices::openUrl(TargetUrl(file)) ? ShellOpened : SE_ERR_NOASSOC;
}

}  // namespace vcl
