// The package loader against real fixture packages built beside the host
// libraries.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "PackageTestSupport.h"
#include "TempDir.h"
#include "designide/Registration.h"
#include "rtl/system/Exceptions.h"
#include "rtl/packages/Packages.h"
#include "rtl/objects/TypeInfo.h"
#include "rtl/packages/Units.h"

namespace {

using dvtest::BinFile;
using dvtest::Counter;

class LoaderTest : public ::testing::Test {
 protected:
  void SetUp() override { dvtest::ResetCounters(); }
  void TearDown() override { EXPECT_TRUE(rtl::LoadedPackages().empty()) << "a test left a package loaded"; }
};

// The message of the EPackageError that loading `file` raises.
std::string RefusalOf(const std::string& file) {
  try {
    rtl::HMODULE module = rtl::LoadPackage(file);
    rtl::UnloadPackage(module);
  } catch (const rtl::EPackageError& e) {
    return e.what();
  }
  return "(loaded)";
}

TEST_F(LoaderTest, GoodPackageIsInitializedRegisteredAndFullyUndone) {
  rtl::HMODULE module = rtl::LoadPackage(BinFile("FixtureGood.so"));
  ASSERT_NE(module, nullptr);
  EXPECT_EQ(Counter("FIXTURE_INITS_FixtureGood"), 1);
  EXPECT_EQ(rtl::UnitUseCount("FixtureGood"), 1);
  const rtl::TClass* widget = rtl::FindClass("TFixtureGoodWidget");
  ASSERT_NE(widget, nullptr);

  // Its required packages were loaded first, then the package itself.
  auto loaded = rtl::LoadedPackages();
  ASSERT_EQ(loaded.size(), 3u);
  EXPECT_NE(loaded[0].FileName.find("rtl160.so"), std::string::npos);
  EXPECT_NE(loaded[1].FileName.find("dcldb160.so"), std::string::npos);
  EXPECT_EQ(loaded[2].Handle, module);
  EXPECT_EQ(rtl::GetModuleFileName(module), loaded[2].FileName);

  // Every registration carries the package and answers the look-ups.
  auto registrations = designide::Registrations(module);
  ASSERT_EQ(registrations.size(), 5u);
  EXPECT_EQ(designide::FindComponentEditorClass(*widget)->ClassName(), "TFixtureGoodEditor");
  EXPECT_EQ(designide::FindPropertyEditorClass(*widget, rtl::TypeInfoString(), "caption")->ClassName(),
            "TFixtureGoodCaptionProperty");
  EXPECT_EQ(designide::GetPropertyCategories(*widget, "QuerySQL"), std::vector<std::string>{"Fixture"});
  EXPECT_EQ(designide::FindSprigClass(*widget)->ClassName(), "TFixtureGoodSprig");
  EXPECT_EQ(designide::PaletteComponents("Fixture"), std::vector<const rtl::TClass*>{widget});

  rtl::UnloadPackage(module);
  EXPECT_EQ(Counter("FIXTURE_FINALS_FixtureGood"), 1);
  EXPECT_EQ(rtl::UnitUseCount("FixtureGood"), 0);
  EXPECT_EQ(rtl::FindClass("TFixtureGoodWidget"), nullptr);
  EXPECT_TRUE(designide::Registrations(module).empty());
  EXPECT_TRUE(designide::PaletteComponents("Fixture").empty());
  EXPECT_TRUE(designide::AllRegistrations().empty());
}

TEST_F(LoaderTest, SharedUnitStartsOnceAndStopsWithItsLastUser) {
  rtl::HMODULE good = rtl::LoadPackage(BinFile("FixtureGood.so"));
  rtl::HMODULE second = rtl::LoadPackage(BinFile("FixtureSecond.so"));
  EXPECT_EQ(Counter("FIXTURE_SHARED_INITS"), 1);
  EXPECT_EQ(rtl::UnitUseCount("FixtureShared"), 2);
  EXPECT_EQ(Counter("FIXTURE_INITS_FixtureSecond"), 1);

  rtl::UnloadPackage(good);
  EXPECT_EQ(Counter("FIXTURE_SHARED_FINALS"), 0) << "still used by the second package";
  EXPECT_EQ(Counter("FIXTURE_FINALS_FixtureGood"), 1);
  rtl::UnloadPackage(second);
  EXPECT_EQ(Counter("FIXTURE_SHARED_FINALS"), 1);
  EXPECT_EQ(rtl::UnitUseCount("FixtureShared"), 0);
}

TEST_F(LoaderTest, UnloadAndReloadStartsAfresh) {
  for (int round = 1; round <= 3; ++round) {
    rtl::HMODULE module = rtl::LoadPackage(BinFile("FixtureGood.so"));
    EXPECT_EQ(Counter("FIXTURE_INITS_FixtureGood"), round);
    EXPECT_EQ(designide::Registrations(module).size(), 5u);
    rtl::UnloadPackage(module);
    EXPECT_EQ(Counter("FIXTURE_FINALS_FixtureGood"), round);
  }
}

TEST_F(LoaderTest, LoadingTwiceCountsUses) {
  rtl::HMODULE first = rtl::LoadPackage(BinFile("FixtureGood.so"));
  rtl::HMODULE again = rtl::LoadPackage(BinFile("FixtureGood.so"));
  EXPECT_EQ(first, again);
  EXPECT_EQ(Counter("FIXTURE_INITS_FixtureGood"), 1);
  EXPECT_EQ(designide::Registrations(first).size(), 5u) << "Register runs once";
  rtl::UnloadPackage(again);
  EXPECT_EQ(designide::Registrations(first).size(), 5u);
  rtl::UnloadPackage(first);
  EXPECT_TRUE(designide::Registrations(first).empty());
  EXPECT_THROW(rtl::UnloadPackage(first), rtl::EPackageError);
}

// A link, "./" and ".." spell the same file: one package, loaded once,
// started once and stopped when the last of its loads is undone.
TEST_F(LoaderTest, OnePackageUnderSeveralSpellingsOfItsPathIsOnePackage) {
  dvtest::TempDir temp;
  const std::filesystem::path file = std::filesystem::absolute(BinFile("FixtureGood.so"));
  const std::string folder = file.parent_path().string();
  std::filesystem::create_symlink(file, temp.File("Linked.so"));
  const std::string spellings[] = {file.string(), temp.File("Linked.so"), folder + "/./FixtureGood.so",
                                   folder + "/../" + file.parent_path().filename().string() + "/FixtureGood.so"};
  std::vector<rtl::HMODULE> modules;
  for (const std::string& spelling : spellings) modules.push_back(rtl::LoadPackage(spelling));
  for (rtl::HMODULE module : modules) EXPECT_EQ(module, modules[0]);
  EXPECT_EQ(Counter("FIXTURE_INITS_FixtureGood"), 1);
  EXPECT_EQ(rtl::LoadedPackages().size(), 3u) << "rtl, dcldb and the package itself";
  EXPECT_EQ(designide::Registrations(modules[0]).size(), 5u) << "Register runs once";
  for (size_t i = 0; i + 1 < modules.size(); ++i) rtl::UnloadPackage(modules[i]);
  EXPECT_EQ(Counter("FIXTURE_FINALS_FixtureGood"), 0) << "stopped before its last load was undone";
  rtl::UnloadPackage(modules.back());
  EXPECT_EQ(Counter("FIXTURE_FINALS_FixtureGood"), 1);
  EXPECT_THROW(rtl::UnloadPackage(modules[0]), rtl::EPackageError);
}

struct TRefusalRow {
  const char* Name;
  std::string File;
  const char* Expected;  // part of the message besides the file name
};

TEST_F(LoaderTest, RefusedFilesNameTheFileAndWhatIsMissingAndLeaveNothing) {
  dvtest::TempDir temp;
  std::ofstream(temp.File("notes.so")) << "just some text, not a library\n";
  const TRefusalRow rows[] = {
      {"missing entry point", BinFile("FixtureNoFinalize.so"), "entry point \"Finalize\" not found"},
      {"missing required package", BinFile("FixtureMissingRequire.so"), "\"NoSuchPackage.so\" not found"},
      {"text file", temp.File("notes.so"), "not a package"},
      {"no such file", temp.File("absent.so"), "file not found"},
      {"Register raises", BinFile("FixtureRaises.so"), "fixture Register failed on purpose"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.Name);
    dvtest::ResetCounters();
    std::string message = RefusalOf(row.File);
    EXPECT_NE(message.find(row.File), std::string::npos) << message;
    EXPECT_NE(message.find(row.Expected), std::string::npos) << message;
    EXPECT_TRUE(rtl::LoadedPackages().empty());
    EXPECT_TRUE(designide::AllRegistrations().empty());
    EXPECT_EQ(rtl::UnitUseCount("FixtureShared"), 0);
    // Whatever started was stopped again.
    EXPECT_EQ(Counter("FIXTURE_SHARED_INITS"), Counter("FIXTURE_SHARED_FINALS"));
  }
}

TEST_F(LoaderTest, RegisterThatRaisesIsReportedAfterAFullUnload) {
  EXPECT_THROW(rtl::LoadPackage(BinFile("FixtureRaises.so")), rtl::EPackageError);
  EXPECT_EQ(Counter("FIXTURE_INITS_FixtureRaises"), 1);
  EXPECT_EQ(Counter("FIXTURE_FINALS_FixtureRaises"), 1);
  EXPECT_EQ(rtl::FindClass("TFixtureRaisesWidget"), nullptr);
  // The package is gone for good: a later good load is unaffected.
  rtl::HMODULE good = rtl::LoadPackage(BinFile("FixtureGood.so"));
  EXPECT_EQ(designide::AllRegistrations().size(), 5u);
  rtl::UnloadPackage(good);
}

TEST_F(LoaderTest, StartUpThatRaisesUndoesTheUnitsThatStarted) {
  setenv("FIXTURE_FAIL_INIT_FixtureSecond", "1", 1);
  std::string message = RefusalOf(BinFile("FixtureSecond.so"));
  unsetenv("FIXTURE_FAIL_INIT_FixtureSecond");
  EXPECT_NE(message.find("initialization failed: fixture start-up failed on purpose"), std::string::npos) << message;
  EXPECT_EQ(Counter("FIXTURE_SHARED_INITS"), 1);
  EXPECT_EQ(Counter("FIXTURE_SHARED_FINALS"), 1) << "the unit started before the failing one is stopped";
  EXPECT_EQ(rtl::UnitUseCount("FixtureShared"), 0);
}

TEST_F(LoaderTest, HostLayersAreNotMistakenForThePackagesEntryPoints) {
  // The library links rtl160 and dcldb160, which export the entry names too.
  std::string message = RefusalOf(BinFile("FixtureNoFinalize.so"));
  EXPECT_NE(message.find("Finalize"), std::string::npos) << message;
  EXPECT_EQ(Counter("FIXTURE_INITS_FixtureNoFinalize"), 0) << "refused before any start-up";
}

}  // namespace
