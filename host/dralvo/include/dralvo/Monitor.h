#pragma once
// TDVMonitor: while Active, receives the text of every statement sent to a
// server by this library.
#include <functional>
#include <string>

#include "rtl/objects/Component.h"

namespace dralvo {

class TDVMonitor : public rtl::TComponent {
  RTL_CLASS(TDVMonitor)
 public:
  explicit TDVMonitor(rtl::TComponent* owner);
  ~TDVMonitor() override;

  bool Active() const { return active_; }
  void SetActive(bool active);
  std::function<void(const std::string& databaseName, const std::string& sql)> OnSQL;

 private:
  bool active_ = false;
};

// Called by the library for each statement sent.
void NotifyMonitors(const std::string& databaseName, const std::string& sql);

}  // namespace dralvo
