#include "dralvo/Monitor.h"

#include <algorithm>
#include <vector>

#include "rtl/objects/ClassBuilder.h"

namespace dralvo {

namespace {
std::vector<TDVMonitor*>& ActiveMonitors() {
  static std::vector<TDVMonitor*> monitors;
  return monitors;
}
}  // namespace

const rtl::TClass& TDVMonitor::StaticClass() {
  static const rtl::TClass cls = rtl::ClassBuilder<TDVMonitor>("TDVMonitor", &rtl::TComponent::StaticClass())
                                     .Creatable()
                                     .Bool("Active", &TDVMonitor::Active, &TDVMonitor::SetActive, false)
                                     .Build();
  return cls;
}

TDVMonitor::TDVMonitor(rtl::TComponent* owner) : TComponent(owner) {}
TDVMonitor::~TDVMonitor() { SetActive(false); }

void TDVMonitor::SetActive(bool active) {
  if (active == active_) return;
  active_ = active;
  auto& monitors = ActiveMonitors();
  if (active)
    monitors.push_back(this);
  else
    std::erase(monitors, this);
}

void NotifyMonitors(const std::string& databaseName, const std::string& sql) {
  std::vector<TDVMonitor*> monitors = ActiveMonitors();
  for (TDVMonitor* m : monitors)
    if (m->OnSQL) m->OnSQL(databaseName, sql);
}

}  // namespace dralvo
