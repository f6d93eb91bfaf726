#include "IniStorage.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unicode/ustring.h>
#include <unistd.h>

#include <bit>
#include <cerrno>
#include <cstring>

#include "files/ReadToEnd.h"
#include "rtl/files/FileStamp.h"
#include "rtl/system/SysUtils.h"

namespace rtl::ini {

namespace {
constexpr char kUtf8Bom[] = "\xEF\xBB\xBF";

bool StartsWith(const std::string& s, const char* prefix, size_t n) {
  return s.size() >= n && std::memcmp(s.data(), prefix, n) == 0;
}

void SwapBytes(std::u16string& s) {
  for (char16_t& c : s) c = static_cast<char16_t>((c >> 8) | (c << 8));
}

bool NeedsSwap(TTextEncoding encoding) {
  bool bigEndian = encoding == TTextEncoding::Utf16BE;
  return bigEndian != (std::endian::native == std::endian::big);
}

// UTF-16 bytes after the byte-order mark to UTF-8; broken units become U+FFFD.
std::string DecodeUtf16(const std::string& bytes, TTextEncoding encoding) {
  std::u16string units((bytes.size() - 2) / 2, u'\0');
  std::memcpy(units.data(), bytes.data() + 2, units.size() * 2);
  if (NeedsSwap(encoding)) SwapBytes(units);
  std::string out(units.size() * 3 + 1, '\0');
  int32_t length = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strToUTF8WithSub(out.data(), static_cast<int32_t>(out.size()), &length, reinterpret_cast<const UChar*>(units.data()),
                     static_cast<int32_t>(units.size()), 0xFFFD, nullptr, &status);
  if (U_FAILURE(status)) return {};
  out.resize(static_cast<size_t>(length));
  return out;
}

std::string EncodeUtf16(const std::string& text, TTextEncoding encoding) {
  std::u16string units(text.size() + 1, u'\0');
  int32_t length = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strFromUTF8WithSub(reinterpret_cast<UChar*>(units.data()), static_cast<int32_t>(units.size()), &length, text.data(),
                       static_cast<int32_t>(text.size()), 0xFFFD, nullptr, &status);
  units.resize(U_SUCCESS(status) ? static_cast<size_t>(length) : 0);
  units.insert(units.begin(), u'\xFEFF');
  if (NeedsSwap(encoding)) SwapBytes(units);
  return std::string(reinterpret_cast<const char*>(units.data()), units.size() * 2);
}
}  // namespace

TStoredText LoadText(const std::string& fileName) {
  TStoredText stored;
  int fd = ::open(fileName.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);  // a pipe is not waited on
  if (fd < 0) {
    stored.Exists = errno != ENOENT && errno != ENOTDIR;
    stored.Reason = std::strerror(errno);
    return stored;
  }
  stored.Exists = true;
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    stored.Reason = S_ISDIR(st.st_mode) ? std::strerror(EISDIR) : NotRegular();
    ::close(fd);
    return stored;
  }
  if (static_cast<uint64_t>(st.st_size) > MaxReadFileSize) {
    stored.Reason = TooLarge();
    ::close(fd);
    return stored;
  }
  const int err = ReadToEnd(fd, static_cast<size_t>(st.st_size), MaxReadFileSize, stored.Text);
  ::close(fd);
  if (err != 0) {
    stored.Reason = err == EFBIG ? TooLarge() : std::strerror(err);
    stored.Text.clear();
    return stored;
  }
  stored.Readable = true;
  if (StartsWith(stored.Text, kUtf8Bom, 3)) {
    stored.Encoding = TTextEncoding::Utf8Bom;
    stored.Text.erase(0, 3);
  } else if (StartsWith(stored.Text, "\xFF\xFE", 2)) {
    stored.Encoding = TTextEncoding::Utf16LE;
    stored.Text = DecodeUtf16(stored.Text, stored.Encoding);
  } else if (StartsWith(stored.Text, "\xFE\xFF", 2)) {
    stored.Encoding = TTextEncoding::Utf16BE;
    stored.Text = DecodeUtf16(stored.Text, stored.Encoding);
  }
  return stored;
}

std::string EncodeText(const std::string& text, TTextEncoding encoding) {
  switch (encoding) {
    case TTextEncoding::Utf8:
      return text;
    case TTextEncoding::Utf8Bom:
      return kUtf8Bom + text;
    case TTextEncoding::Utf16LE:
    case TTextEncoding::Utf16BE:
      return EncodeUtf16(text, encoding);
  }
  return text;
}

}  // namespace rtl::ini
