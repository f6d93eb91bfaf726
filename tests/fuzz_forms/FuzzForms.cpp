// Any text given to the form reader either reads or is refused with a
// form-file error; nothing else escapes, nothing is left alive, and what
// reads writes back in a layout that reads and writes the same again.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FormTestClasses.h"
#include "rtl/forms/FormFiles.h"

namespace {

// Reads, writes, and reads and writes again: both texts must be the same.
void ReadAndRewrite(const std::string& text) {
  try {
    auto root = rtl::ReadComponentText(text, "fuzz.dfm");
    const std::string first = rtl::WriteComponentText(*root);
    root.reset();
    const std::string second = rtl::WriteComponentText(*rtl::ReadComponentText(first, "rewritten.dfm"));
    if (first != second) __builtin_trap();
  } catch (const rtl::EFormFileError&) {
    // refused with a place and a reason: fine
  } catch (const rtl::EPropertyError&) {
    // read, but holds a value that cannot be written: fine
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool registered = (formtest::RegisterTestClasses(), true);
  (void)registered;
  ReadAndRewrite(std::string(reinterpret_cast<const char*>(data), size));
  if (formtest::LiveObjects() != 0) __builtin_trap();
  return 0;
}
