// Saving a module to a file: the old file survives any failed save, and the
// writer refuses values it could not read back rather than drop them.
#include <filesystem>
#include <string>

#include "FormFixture.h"
#include "TempDir.h"
#include "rtl/system/SysUtils.h"

namespace formtest {
namespace {

const char* g_failStep = nullptr;
bool FailAtStep(const char* step, const std::string&) { return g_failStep != nullptr && std::string(step) == g_failStep; }

const std::string kOld = "object Module1: TTestModule\n  object A: TTestWidget\n    Count = 1\n  end\nend\n";

std::size_t FilesIn(const std::string& dir) {
  std::size_t n = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir)) ++n;
  return n;
}

class FormSaveTest : public FormFileTest {
 protected:
  void TearDown() override {
    rtl::SetWriteFaultHook(nullptr);
    g_failStep = nullptr;
    FormFileTest::TearDown();
  }
  dvtest::TempDir dir_;
};

TEST_F(FormSaveTest, SavedFileReadsBackUnchanged) {
  std::string path = dir_.File("Module1.dfm");
  rtl::WriteFileAtomic(path, kOld);
  auto root = rtl::ReadComponentFile(path);
  Widget(*root, "A")->SetCaption("Saved");
  rtl::WriteComponentFile(path, *root);
  std::string saved = rtl::ReadFileToString(path);
  EXPECT_EQ(saved, "object Module1: TTestModule\n  object A: TTestWidget\n    Count = 1\n    Caption = 'Saved'\n"
                   "  end\nend\n");
  EXPECT_EQ(rtl::WriteComponentText(*rtl::ReadComponentFile(path)), saved);
}

class FailedSave : public FormSaveTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(FailedSave, LeavesTheOldFileWhole) {
  std::string path = dir_.File("Module1.dfm");
  rtl::WriteFileAtomic(path, kOld);
  auto root = rtl::ReadComponentFile(path);
  Widget(*root, "A")->SetCaption(std::string(100000, 'n'));  // many writes
  g_failStep = GetParam();
  rtl::SetWriteFaultHook(&FailAtStep);
  EXPECT_THROW(rtl::WriteComponentFile(path, *root), rtl::EFCreateError);
  rtl::SetWriteFaultHook(nullptr);
  EXPECT_EQ(rtl::ReadFileToString(path), kOld);
  EXPECT_EQ(FilesIn(dir_.Path()), 1u) << "a temporary file was left behind";
}

INSTANTIATE_TEST_SUITE_P(Steps, FailedSave, ::testing::Values("open", "write", "sync", "rename"));

TEST_F(FormSaveTest, UnwritableValueWritesNothing) {
  std::string path = dir_.File("Module1.dfm");
  rtl::WriteFileAtomic(path, kOld);
  auto root = rtl::ReadComponentFile(path);
  TTestModule other(nullptr);
  auto* stranger = new TTestWidget(&other);
  stranger->SetName("Stranger");
  Widget(*root, "A")->SetBuddy(stranger);
  try {
    rtl::WriteComponentFile(path, *root);
    FAIL() << "a reference out of the module was written";
  } catch (const rtl::EPropertyError& e) {
    EXPECT_NE(std::string(e.what()).find("Stranger, which is not part of this module"), std::string::npos) << e.what();
  }
  EXPECT_EQ(rtl::ReadFileToString(path), kOld);
  Widget(*root, "A")->SetBuddy(nullptr);
}

// A large module goes to disk while its text is made: a value refused near
// the end, or a write failing on the way, still leaves the old file whole.
TEST_F(FormSaveTest, LargeModuleSavesWholeOrNotAtAll) {
  std::string path = dir_.File("Module1.dfm");
  rtl::WriteFileAtomic(path, kOld);
  TTestModule root(nullptr);
  root.SetName("Module1");
  TTestWidget* last = nullptr;
  for (int i = 0; i < 4000; ++i) {
    last = new TTestWidget(&root);
    last->SetName("W" + std::to_string(i));
    last->SetCaption(std::string(200, 'c'));
  }
  TTestWidget* unnamed = new TTestWidget(&root);
  last->SetBuddy(unnamed);
  EXPECT_THROW(rtl::WriteComponentFile(path, root), rtl::EPropertyError);
  EXPECT_EQ(rtl::ReadFileToString(path), kOld);
  EXPECT_EQ(FilesIn(dir_.Path()), 1u) << "a temporary file was left behind";

  last->SetBuddy(nullptr);
  for (const char* step : {"write", "sync"}) {
    g_failStep = step;
    rtl::SetWriteFaultHook(&FailAtStep);
    EXPECT_THROW(rtl::WriteComponentFile(path, root), rtl::EFCreateError) << step;
    rtl::SetWriteFaultHook(nullptr);
    EXPECT_EQ(rtl::ReadFileToString(path), kOld) << step;
    EXPECT_EQ(FilesIn(dir_.Path()), 1u) << "a temporary file was left behind after " << step;
  }
  rtl::WriteComponentFile(path, root);
  EXPECT_EQ(rtl::ReadFileToString(path), rtl::WriteComponentText(root));
}

TEST_F(FormSaveTest, ValuesWithoutAWrittenFormAreRefused) {
  TTestModule root(nullptr);
  auto* a = new TTestWidget(&root);
  a->SetName("A");
  auto* unnamed = new TTestWidget(&root);
  a->SetBuddy(unnamed);
  EXPECT_THROW(rtl::WriteComponentText(root), rtl::EPropertyError);
  a->SetBuddy(nullptr);
  a->SetAlign(static_cast<TAlign>(7));
  EXPECT_THROW(rtl::WriteComponentText(root), rtl::EPropertyError);
  a->SetAlign(TAlign::alNone);
  a->Font()->SetStyle(1 << 5);
  EXPECT_THROW(rtl::WriteComponentText(root), rtl::EPropertyError);
  a->Font()->SetStyle(0);
  a->SetOnChange("not a name");
  EXPECT_THROW(rtl::WriteComponentText(root), rtl::EPropertyError);
}

TEST_F(FormSaveTest, ReadErrorsNameTheFile) {
  std::string path = dir_.File("Broken.dfm");
  rtl::WriteFileAtomic(path, "object M: TTestModule\n  Oops\nend\n");
  try {
    rtl::ReadComponentFile(path);
    FAIL();
  } catch (const rtl::EParserError& e) {
    EXPECT_EQ(std::string(e.what()).rfind(path + ":3:1: Expected \"=\"", 0), 0u) << e.what();
  }
  EXPECT_THROW(rtl::ReadComponentFile(dir_.File("Missing.dfm")), rtl::EFOpenError);
}

}  // namespace
}  // namespace formtest
