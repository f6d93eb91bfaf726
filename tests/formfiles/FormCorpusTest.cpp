// The fuzzer's interesting inputs: each one either reads or is refused with
// a form-file error, never anything else, and what reads writes back in a
// layout that is stable from then on, whether or not the reader records
// where things stood.
#include <filesystem>
#include <string>

#include "FormFixture.h"
#include "rtl/forms/FormPositions.h"
#include "rtl/system/SysUtils.h"

namespace formtest {
namespace {

TEST_F(FormFileTest, CorpusInputsReadOrAreRefusedCleanly) {
  ASSERT_TRUE(std::filesystem::is_directory(CorpusDir())) << CorpusDir();
  int read = 0, refused = 0;
  for (const auto& entry : std::filesystem::directory_iterator(CorpusDir())) {
    std::string text = rtl::ReadFileToString(entry.path().string());
    SCOPED_TRACE(entry.path().filename().string());
    try {
      auto root = rtl::ReadComponentText(text, entry.path().filename().string());
      std::string first = rtl::WriteComponentText(*root);
      EXPECT_EQ(rtl::WriteComponentText(*Read(first)), first);
      // Recording where things stood changes nothing read.
      rtl::TFormPositions positions;
      rtl::TFormReadOptions options;
      options.Positions = &positions;
      EXPECT_EQ(rtl::WriteComponentText(*Read(text, options)), first);
      ++read;
    } catch (const rtl::EFormFileError&) {
      ++refused;
    } catch (const rtl::EPropertyError&) {
      ++refused;  // read, but holds a value the writer cannot spell
    }
  }
  EXPECT_GT(read, 0);
  EXPECT_GT(refused, 0);
}

}  // namespace
}  // namespace formtest
