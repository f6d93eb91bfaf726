// Text helpers: trimming, case, comparison (ASCII and ICU), numbers.
#include <unicode/ucol.h>
#include <unicode/ustring.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <memory>

#include "rtl/system/Exceptions.h"
#include "rtl/system/SysUtils.h"
#include "rtl/system/TextSort.h"

namespace rtl {

std::string IntToStr(int64_t value) { return std::to_string(value); }

bool TryStrToInt(const std::string& s, int64_t& value) {
  std::string t = Trim(s);
  if (t.empty()) return false;
  const char* first = t.data();
  const char* last = t.data() + t.size();
  int base = 10;
  // One sign at most: "+-1" is no number.
  bool negative = *first == '-';
  if (*first == '+' || *first == '-') ++first;
  if (first < last && *first == '$') {  // the platform's hexadecimal prefix
    base = 16;
    ++first;
  } else if (last - first > 2 && first[0] == '0' && (first[1] == 'x' || first[1] == 'X')) {
    base = 16;
    first += 2;
  }
  if (first == last || *first == '-' || *first == '+') return false;
  uint64_t magnitude = 0;
  auto [ptr, ec] = std::from_chars(first, last, magnitude, base);
  if (ec != std::errc() || ptr != last) return false;
  if (negative) {
    if (magnitude > static_cast<uint64_t>(INT64_MAX) + 1) return false;
    value = static_cast<int64_t>(0 - magnitude);
  } else {
    if (magnitude > static_cast<uint64_t>(INT64_MAX)) return false;
    value = static_cast<int64_t>(magnitude);
  }
  return true;
}

int64_t StrToInt(const std::string& s) {
  int64_t v = 0;
  if (!TryStrToInt(s, v)) throw EConvertError("'" + s + "' is not a valid integer value");
  return v;
}

int64_t StrToIntDef(const std::string& s, int64_t def) {
  int64_t v = 0;
  return TryStrToInt(s, v) ? v : def;
}

namespace {
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }
char AsciiUpper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; }
char AsciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; }
bool IsAscii(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

std::u16string ToUtf16(std::string_view s) {
  std::u16string out(s.size() + 1, u'\0');
  int32_t length = 0;
  UErrorCode status = U_ZERO_ERROR;
  u_strFromUTF8WithSub(reinterpret_cast<UChar*>(out.data()), static_cast<int32_t>(out.size()), &length, s.data(),
                       static_cast<int32_t>(s.size()), 0xFFFD, nullptr, &status);
  if (U_FAILURE(status)) return {};
  out.resize(static_cast<size_t>(length));
  return out;
}

int FoldCompare(const std::u16string& a, const std::u16string& b) {
  UErrorCode status = U_ZERO_ERROR;
  int r = u_strCaseCompare(reinterpret_cast<const UChar*>(a.data()), static_cast<int32_t>(a.size()),
                           reinterpret_cast<const UChar*>(b.data()), static_cast<int32_t>(b.size()),
                           U_FOLD_CASE_DEFAULT, &status);
  return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

struct CollatorDeleter {
  void operator()(UCollator* c) const { ucol_close(c); }
};

// One collator for the process's locale, ignoring case but not accents.
UCollator* Collator() {
  static std::unique_ptr<UCollator, CollatorDeleter> collator = [] {
    UErrorCode status = U_ZERO_ERROR;
    UCollator* c = ucol_open("", &status);
    if (U_FAILURE(status)) return std::unique_ptr<UCollator, CollatorDeleter>();
    ucol_setStrength(c, UCOL_SECONDARY);
    return std::unique_ptr<UCollator, CollatorDeleter>(c);
  }();
  return collator.get();
}
}  // namespace

std::string TrimLeft(const std::string& s) {
  size_t b = 0;
  while (b < s.size() && IsBlank(s[b])) ++b;
  return s.substr(b);
}

std::string TrimRight(const std::string& s) {
  size_t e = s.size();
  while (e > 0 && IsBlank(s[e - 1])) --e;
  return s.substr(0, e);
}

std::string Trim(const std::string& s) { return TrimRight(TrimLeft(s)); }

std::string UpperCase(const std::string& s) {
  std::string r = s;
  std::transform(r.begin(), r.end(), r.begin(), AsciiUpper);
  return r;
}

std::string LowerCase(const std::string& s) {
  std::string r = s;
  std::transform(r.begin(), r.end(), r.begin(), AsciiLower);
  return r;
}

int CompareText(std::string_view a, std::string_view b) {
  size_t n = std::min(a.size(), b.size());
  for (size_t i = 0; i < n; ++i) {
    auto ca = static_cast<unsigned char>(AsciiUpper(a[i]));
    auto cb = static_cast<unsigned char>(AsciiUpper(b[i]));
    if (ca != cb) return ca < cb ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool AnsiSameText(std::string_view a, std::string_view b) {
  if (IsAscii(a) && IsAscii(b)) return SameText(a, b);
  return FoldCompare(ToUtf16(a), ToUtf16(b)) == 0;
}

int AnsiCompareText(std::string_view a, std::string_view b) {
  bool ascii = IsAscii(a) && IsAscii(b);
  if (ascii && SameText(a, b)) return 0;
  std::u16string ua = ToUtf16(a), ub = ToUtf16(b);
  int folded = FoldCompare(ua, ub);
  if (folded == 0) return 0;
  // Order by the locale's collation; strings it cannot tell apart (ignorable
  // characters) are still different strings.
  if (UCollator* c = Collator()) {
    UCollationResult r = ucol_strcoll(c, reinterpret_cast<const UChar*>(ua.data()), static_cast<int32_t>(ua.size()),
                                      reinterpret_cast<const UChar*>(ub.data()), static_cast<int32_t>(ub.size()));
    if (r != UCOL_EQUAL) return r == UCOL_LESS ? -1 : 1;
  }
  return folded;
}

namespace {
// Applies an ICU case mapping (upper case, folding) to UTF-8 text; `map`
// takes (dest, capacity, src, length, status) as ICU's mappings do. The text
// comes back unchanged when ICU refuses it.
template <class CaseMap>
std::string MapCase(const std::string& s, CaseMap map) {
  std::u16string u = ToUtf16(s);
  std::u16string mapped(u.size() * 3 + 1, u'\0');
  UErrorCode status = U_ZERO_ERROR;
  int32_t n = map(reinterpret_cast<UChar*>(mapped.data()), static_cast<int32_t>(mapped.size()),
                  reinterpret_cast<const UChar*>(u.data()), static_cast<int32_t>(u.size()), &status);
  if (U_FAILURE(status)) return s;
  std::string out(static_cast<size_t>(n) * 4 + 1, '\0');
  int32_t length = 0;
  status = U_ZERO_ERROR;
  u_strToUTF8(out.data(), static_cast<int32_t>(out.size()), &length, reinterpret_cast<const UChar*>(mapped.data()), n,
              &status);
  if (U_FAILURE(status)) return s;
  out.resize(static_cast<size_t>(length));
  return out;
}
}  // namespace

std::string AnsiUpperCase(const std::string& s) {
  if (IsAscii(s)) return UpperCase(s);
  return MapCase(s, [](UChar* dest, int32_t capacity, const UChar* src, int32_t length, UErrorCode* status) {
    return u_strToUpper(dest, capacity, src, length, "", status);
  });
}

std::string AnsiFoldCase(const std::string& s) {
  // Folding maps ASCII letters to lower case, as u_strFoldCase does, so the
  // two paths agree on texts that mix ASCII and other scripts ("SS", "ß").
  if (IsAscii(s)) return LowerCase(s);
  return MapCase(s, [](UChar* dest, int32_t capacity, const UChar* src, int32_t length, UErrorCode* status) {
    return u_strFoldCase(dest, capacity, src, length, U_FOLD_CASE_DEFAULT, status);
  });
}

std::string StringReplaceAll(const std::string& s, const std::string& from, const std::string& to) {
  if (from.empty()) return s;
  std::string out;
  size_t pos = 0;
  for (size_t hit; (hit = s.find(from, pos)) != std::string::npos; pos = hit + from.size()) {
    out.append(s, pos, hit - pos);
    out += to;
  }
  out.append(s, pos, std::string::npos);
  return out;
}

namespace {
// The collator's key of the folded text (it ends with a zero byte), then
// the folded text: texts that fold alike are equal, as AnsiCompareText
// finds them before it asks the collator; other texts the collator cannot
// tell apart still differ by their folded form.
std::string CollationKey(UCollator* c, const std::string& s) {
  const std::string folded = AnsiFoldCase(s);
  const std::u16string u = ToUtf16(folded);
  std::string key(u.size() * 4 + 16, '\0');
  int32_t n = ucol_getSortKey(c, reinterpret_cast<const UChar*>(u.data()), static_cast<int32_t>(u.size()),
                              reinterpret_cast<uint8_t*>(key.data()), static_cast<int32_t>(key.size()));
  if (n > static_cast<int32_t>(key.size())) {
    key.resize(static_cast<size_t>(n));
    n = ucol_getSortKey(c, reinterpret_cast<const UChar*>(u.data()), static_cast<int32_t>(u.size()),
                        reinterpret_cast<uint8_t*>(key.data()), n);
  }
  key.resize(static_cast<size_t>(n));
  return key + folded;
}

// ASCII characters are ordered one by one, each by its primary weight
// (letters without their case; control characters are ignored). The rank
// of each character's weight among all of them, read from the collator
// once; 0 for an ignored character.
const std::array<uint8_t, 128>& AsciiRanks(UCollator* c) {
  static const std::array<uint8_t, 128> ranks = [c] {
    const UColAttributeValue strength = ucol_getStrength(c);
    ucol_setStrength(c, UCOL_PRIMARY);
    std::vector<std::pair<std::string, int>> weights;
    for (int ch = 0; ch < 128; ++ch) {
      const UChar u = static_cast<UChar>(ch);
      uint8_t buffer[64];
      const int32_t n = ucol_getSortKey(c, &u, 1, buffer, sizeof buffer);
      weights.emplace_back(std::string(reinterpret_cast<const char*>(buffer), n > 0 ? static_cast<size_t>(n) - 1 : 0), ch);
    }
    ucol_setStrength(c, strength);
    std::sort(weights.begin(), weights.end());
    std::array<uint8_t, 128> r{};
    uint8_t rank = 0;
    for (size_t i = 0; i < weights.size(); ++i) {
      if (weights[i].first.empty()) continue;
      if (i == 0 || weights[i].first != weights[i - 1].first) ++rank;
      r[static_cast<size_t>(weights[i].second)] = rank;
    }
    return r;
  }();
  return ranks;
}

std::string AsciiKey(const std::array<uint8_t, 128>& ranks, const std::string& s) {
  std::string key;
  key.reserve(s.size() * 2 + 1);
  for (char ch : s)
    if (uint8_t rank = ranks[static_cast<unsigned char>(ch)]) key.push_back(static_cast<char>(rank));
  key.push_back('\0');
  return key + LowerCase(s);
}
}  // namespace

void AnsiSortTexts(std::vector<std::string>& texts) {
  UCollator* c = Collator();
  const bool ascii = std::all_of(texts.begin(), texts.end(), [](const std::string& t) { return IsAscii(t); });
  std::vector<std::pair<std::string, size_t>> keys;
  keys.reserve(texts.size());
  for (size_t i = 0; i < texts.size(); ++i)
    keys.emplace_back(c == nullptr   ? AnsiFoldCase(texts[i])
                      : ascii        ? AsciiKey(AsciiRanks(c), texts[i])
                                     : CollationKey(c, texts[i]),
                      i);
  std::stable_sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::string> sorted;
  sorted.reserve(texts.size());
  for (const auto& key : keys) sorted.push_back(std::move(texts[key.second]));
  texts = std::move(sorted);
}

}  // namespace rtl
