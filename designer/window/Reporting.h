#pragma once
// How the designer runs work a person asked for: errors reach the person as
// a message box naming what failed, and long work shows a busy cursor and a
// status-bar message. Message boxes go through the widget layer's modal
// seam, so a test or script can answer them.
#include <functional>
#include <string>

class QStatusBar;

namespace designer {

// Runs `work`; an exception becomes an error box "<what> failed:" followed
// by the reason. True when `work` finished.
bool RunReported(const std::string& what, const std::function<void()>& work);

// A busy cursor and a status-bar message while it lives; the window is
// repainted at once so the person sees both before the work starts.
class TBusyScope {
 public:
  TBusyScope(QStatusBar* statusBar, const std::string& message);
  ~TBusyScope();
  TBusyScope(const TBusyScope&) = delete;
  TBusyScope& operator=(const TBusyScope&) = delete;

 private:
  QStatusBar* statusBar_;
};

}  // namespace designer
