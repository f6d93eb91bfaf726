#pragma once
// Loading and encoding the bytes of a profile (INI) file, internal to the
// run-time layer. Reading never raises: a file that cannot be read is
// reported as such, so that reads give defaults and writes refuse to
// replace what they could not read.
#include <string>

namespace rtl::ini {

enum class TTextEncoding { Utf8, Utf8Bom, Utf16LE, Utf16BE };

struct TStoredText {
  bool Exists = false;    // something is there under that name
  bool Readable = false;  // and it was read
  std::string Reason;     // why not, when it exists but was not read
  TTextEncoding Encoding = TTextEncoding::Utf8;
  std::string Text;  // UTF-8, without byte-order mark
};

TStoredText LoadText(const std::string& fileName);

// The bytes to store for `text` in `encoding` (byte-order mark included).
std::string EncodeText(const std::string& text, TTextEncoding encoding);

}  // namespace rtl::ini
