// Any text given to the form reader either reads or is refused with a
// form-file error; nothing else escapes, nothing is left alive, and what
// reads writes back in a layout that reads and writes the same again.
// Lexed ahead in pieces of a few bytes, in step so that every piece after
// the first comes from the thread, the text must come to the same.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FormTestClasses.h"
#include "rtl/forms/FormFiles.h"

namespace {

// The text the module writes, or the message it is refused with.
std::string Outcome(const std::string& text, size_t pieceBytes, bool inStep = false) {
  rtl::TFormReadOptions options;
  options.ScanAheadPiece = pieceBytes;
  options.ScanAheadInStep = inStep;
  try {
    auto root = rtl::ReadComponentText(text, "fuzz.dfm", options);
    const std::string first = rtl::WriteComponentText(*root);
    root.reset();
    const std::string second = rtl::WriteComponentText(*rtl::ReadComponentText(first, "rewritten.dfm"));
    if (first != second) __builtin_trap();
    return "read:" + first;
  } catch (const rtl::EFormFileError& e) {
    return std::string("refused:") + e.what();
  } catch (const rtl::EPropertyError& e) {
    return std::string("unwritable:") + e.what();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool registered = (formtest::RegisterTestClasses(), true);
  (void)registered;
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::string whole = Outcome(text, 0);
  if (Outcome(text, 1 + size % 13, true) != whole) __builtin_trap();
  if (formtest::LiveObjects() != 0) __builtin_trap();
  return 0;
}
