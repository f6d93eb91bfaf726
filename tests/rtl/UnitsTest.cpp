// Unit tables: each unit starts once per process however many packages
// list it, and stops with the last of them, in reverse order.
#include <gtest/gtest.h>

#include "rtl/system/Exceptions.h"
#include "rtl/packages/Units.h"

namespace {

std::vector<std::string> g_events;
bool g_failStart = false;

template <int N>
void Start() {
  if (N == 3 && g_failStart) throw rtl::EPackageError("unit 3 cannot start");
  g_events.push_back("init" + std::to_string(N));
}
template <int N>
void Stop() {
  g_events.push_back("done" + std::to_string(N));
}

const rtl::TUnitInfo kShared[] = {{"TestUnitShared", &Start<1>, &Stop<1>}};
const rtl::TUnitInfo kFirst[] = {{"TestUnitShared", &Start<1>, &Stop<1>}, {"TestUnitA", &Start<2>, &Stop<2>}};
const rtl::TUnitInfo kSecond[] = {
    {"TESTUNITSHARED", &Start<1>, &Stop<1>}, {"TestUnitB", nullptr, nullptr}, {"TestUnitC", &Start<3>, &Stop<3>}};

TEST(Units, SharedUnitsStartOnceAndStopWithTheirLastUser) {
  g_events.clear();
  rtl::TPackageInfoTable first{kFirst, 2}, second{kSecond, 3};
  rtl::InitializePackage(first);
  rtl::InitializePackage(second);
  EXPECT_EQ(g_events, (std::vector<std::string>{"init1", "init2", "init3"}));
  EXPECT_EQ(rtl::UnitUseCount("testunitshared"), 2);
  EXPECT_EQ(rtl::UnitUseCount("TestUnitB"), 1);
  g_events.clear();
  rtl::FinalizePackage(first);
  EXPECT_EQ(g_events, (std::vector<std::string>{"done2"}));
  rtl::FinalizePackage(second);
  EXPECT_EQ(g_events, (std::vector<std::string>{"done2", "done3", "done1"}));
  EXPECT_EQ(rtl::UnitUseCount("TestUnitShared"), 0);
  rtl::FinalizePackage(second);  // a second finalization does nothing
  EXPECT_EQ(g_events.size(), 3u);
}

TEST(Units, FailedStartStopsWhatThisCallStarted) {
  g_events.clear();
  rtl::TPackageInfoTable shared{kShared, 1}, second{kSecond, 3};
  rtl::InitializePackage(shared);
  g_failStart = true;
  EXPECT_THROW(rtl::InitializePackage(second), rtl::EPackageError);
  g_failStart = false;
  // The shared unit stays started for its other user; nothing else is left.
  EXPECT_EQ(g_events, (std::vector<std::string>{"init1"}));
  EXPECT_EQ(rtl::UnitUseCount("TestUnitShared"), 1);
  EXPECT_EQ(rtl::UnitUseCount("TestUnitB"), 0);
  EXPECT_EQ(rtl::UnitUseCount("TestUnitC"), 0);
  rtl::FinalizePackage(shared);
  EXPECT_EQ(g_events, (std::vector<std::string>{"init1", "done1"}));
  rtl::InitializePackage(second);
  EXPECT_EQ(g_events.back(), "init3");
  rtl::FinalizePackage(second);
}

}  // namespace
