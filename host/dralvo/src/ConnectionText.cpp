#include "ConnectionText.h"

#include <cctype>
#include <cstdlib>

#include "rtl/system/SysUtils.h"

namespace dralvo {

namespace {

bool IsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
bool IsKeywordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_'; }

bool StartsWith(std::string_view text, std::string_view prefix, bool caseBlind) {
  if (text.size() < prefix.size()) return false;
  return caseBlind ? rtl::SameText(std::string(text.substr(0, prefix.size())), std::string(prefix))
                   : text.substr(0, prefix.size()) == prefix;
}

// The length of the scheme ("postgresql://" and the like) the text starts
// with; 0 when none of `schemes` (libpq compares its schemes exactly, the
// MariaDB driver ignoring case).
size_t SchemeLength(std::string_view text, std::initializer_list<std::string_view> schemes, bool caseBlind) {
  for (std::string_view scheme : schemes)
    if (StartsWith(text, scheme, caseBlind)) return scheme.size();
  return 0;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads one text into a TConnectionText; positions are those of the whole
// text, reading stays between begin and end (the text without the blanks
// around it).
class TReader {
 public:
  TReader(std::string_view text, TConnectionForm form) : text_(text) {
    result_.Form = form;
    while (begin_ < text_.size() && IsSpace(text_[begin_])) ++begin_;
    end_ = text_.size();
    while (end_ > begin_ && IsSpace(text_[end_ - 1])) --end_;
  }

  TConnectionText Read() {
    switch (result_.Form) {
      case TConnectionForm::PgUri:
        ReadUrl(SchemeLength(text_.substr(begin_), {"postgresql://", "postgres://"}, false));
        break;
      case TConnectionForm::MariaDbUrl:
        ReadUrl(SchemeLength(text_.substr(begin_), {"mariadb://", "mysql://"}, true));
        break;
      case TConnectionForm::FirebirdUrl:
        ReadUrl(SchemeLength(text_.substr(begin_), {"firebird://"}, true));
        break;
      case TConnectionForm::PgKeywords: ReadKeywords(); break;
      case TConnectionForm::Plain: break;
    }
    return std::move(result_);
  }

 private:
  bool Failed() const { return !result_.Error.empty(); }
  void Fail(size_t at, const std::string& what) {
    if (Failed()) return;
    result_.Error = what;
    result_.ErrorAt = at;
  }
  std::string Character(size_t at) const { return "character " + std::to_string(at - begin_ + 1); }

  // %XX escapes undone in [b, e); a broken escape or %00 fails naming `part`.
  std::string Decoded(size_t b, size_t e, size_t itemBegin, const std::string& part) {
    std::string out;
    out.reserve(e - b);
    for (size_t i = b; i < e; ++i) {
      if (text_[i] != '%') {
        out += text_[i];
        continue;
      }
      const int hi = i + 2 < e ? HexDigit(text_[i + 1]) : -1, lo = hi >= 0 ? HexDigit(text_[i + 2]) : -1;
      if (lo < 0 || hi * 16 + lo == 0) {
        Fail(itemBegin, "has a broken %-escape in its " + part + " (write % as %25)");
        return out;
      }
      out += static_cast<char>(hi * 16 + lo);
      i += 2;
    }
    return out;
  }

  void Add(std::string key, std::string value, size_t itemBegin, size_t valueBegin, size_t valueEnd) {
    result_.Items.push_back({std::move(key), std::move(value), itemBegin, valueBegin, valueEnd});
  }
  void AddDecoded(const std::string& key, size_t itemBegin, size_t b, size_t e, const std::string& part) {
    Add(key, Decoded(b, e, itemBegin, part), itemBegin, b, e);
  }

  // SCHEME://[USER[:PASSWORD]@]HOSTS[/DATABASE][?QUERY]; the user
  // information runs to the last "@". Firebird's database is all that
  // follows the host's "/" (a path may start with a second one), with no
  // query.
  void ReadUrl(size_t schemeLength) {
    const bool pg = result_.Form == TConnectionForm::PgUri;
    const bool query = result_.Form != TConnectionForm::FirebirdUrl;
    const size_t start = begin_ + schemeLength;
    size_t p = start;
    if (size_t at = text_.substr(0, end_).rfind('@'); at != std::string_view::npos && at >= start) {
      size_t colon = text_.substr(0, at).find(':', start);
      AddDecoded("user", start, start, colon == std::string_view::npos ? at : colon, "user");
      if (colon != std::string_view::npos) AddDecoded("password", colon, colon + 1, at, "password");
      p = at + 1;
    }
    size_t hostsEnd = std::min(text_.find_first_of(query ? "/?" : "/", p), end_);
    ReadHosts(p, hostsEnd, pg);
    if (hostsEnd < end_ && text_[hostsEnd] == '/') {
      const size_t b = hostsEnd + 1;
      hostsEnd = query ? std::min(text_.find('?', b), end_) : end_;
      if (hostsEnd > b) AddDecoded(pg ? "dbname" : "database", b, b, hostsEnd, "database");
    }
    if (hostsEnd < end_) ReadQuery(hostsEnd + 1, pg);
  }

  // HOST[:PORT], or for libpq a list of them separated by commas, which
  // libpq takes as one host list and one port list.
  void ReadHosts(size_t b, size_t e, bool list) {
    std::string hosts, ports;
    for (size_t p = b;;) {
      size_t pieceEnd = list ? std::min(text_.find(',', p), e) : e;
      std::string_view host, port;
      if (!SplitHostPort(text_.substr(p, pieceEnd - p), host, port))
        return Fail(b, "has an unclosed \"[\" or text after \"]\" in the host at " + Character(p));
      const size_t hostAt = static_cast<size_t>(host.data() - text_.data());
      const size_t portAt = static_cast<size_t>(port.data() - text_.data());
      hosts += (p == b ? "" : ",") + Decoded(hostAt, hostAt + host.size(), b, "host");
      ports += (p == b ? "" : ",") + Decoded(portAt, portAt + port.size(), b, "port");
      if (pieceEnd >= e) break;
      p = pieceEnd + 1;
    }
    if (!hosts.empty()) Add("host", hosts, b, b, e);
    if (!ports.empty()) Add("port", ports, b, b, e);
  }

  // KEY=VALUE&...: libpq wants one "=" in every item and takes "ssl=true"
  // for "sslmode=require"; the MariaDB driver takes an item without "=" as
  // an empty value.
  void ReadQuery(size_t b, bool pg) {
    for (size_t p = b; p < end_;) {
      const size_t itemEnd = std::min(text_.find('&', p), end_);
      const size_t eq = std::min(text_.find('=', p), itemEnd);
      if (pg && eq == itemEnd) return Fail(p, "has a query item without \"=\" at " + Character(p));
      if (pg && text_.substr(eq + 1, itemEnd - eq - 1).find('=') != std::string_view::npos)
        return Fail(p, "has a query item with a second \"=\" at " + Character(p));
      if (p < itemEnd) {
        std::string key = Decoded(p, eq, p, "query key");
        const size_t valueBegin = std::min(eq + 1, itemEnd);
        std::string value = Decoded(valueBegin, itemEnd, p, "value of " + key);
        if (pg && key == "ssl" && value == "true") key = "sslmode", value = "require";
        Add(rtl::SameText(key, "socket") && !pg ? "socket" : key, value, p, valueBegin, itemEnd);
      }
      p = itemEnd + 1;
    }
  }

  // KEY = VALUE ...: a value runs to a blank, or is quoted in single quotes;
  // a backslash takes the next character as it is, in either.
  void ReadKeywords() {
    size_t i = begin_;
    while (true) {
      while (i < end_ && IsSpace(text_[i])) ++i;
      if (i >= end_) return;
      const size_t keyBegin = i;
      while (i < end_ && text_[i] != '=' && !IsSpace(text_[i])) ++i;
      const size_t keyEnd = i;
      while (i < end_ && IsSpace(text_[i])) ++i;
      if (i >= end_ || text_[i] != '=')
        return Fail(keyBegin, "has a word without \"=\" at " + Character(keyBegin) +
                             " (a value with blanks goes in single quotes)");
      ++i;
      while (i < end_ && IsSpace(text_[i])) ++i;
      const size_t valueBegin = i;
      std::string value;
      const bool quoted = i < end_ && text_[i] == '\'';
      if (quoted) ++i;
      while (true) {
        if (i >= end_) {
          if (quoted) return Fail(keyBegin, "has a value without its closing quote at " + Character(valueBegin));
          break;
        }
        const char c = text_[i];
        if (!quoted && IsSpace(c)) break;
        ++i;
        if (quoted && c == '\'') break;
        if (c == '\\') {
          if (i < end_) value += text_[i++];
          continue;
        }
        value += c;
      }
      Add(std::string(text_.substr(keyBegin, keyEnd - keyBegin)), value, keyBegin, valueBegin, i);
    }
  }

  std::string_view text_;
  size_t begin_ = 0, end_ = 0;
  TConnectionText result_;
};

}  // namespace

bool SplitHostPort(std::string_view text, std::string_view& host, std::string_view& port) {
  port = text.substr(text.size());
  if (!text.empty() && text[0] == '[') {
    const size_t close = text.find(']');
    if (close == std::string_view::npos) return false;
    host = text.substr(1, close - 1);
    if (close + 1 == text.size()) return true;
    if (text[close + 1] != ':') return false;
    port = text.substr(close + 2);
    return true;
  }
  const size_t colon = text.rfind(':');
  host = text.substr(0, colon == std::string_view::npos ? text.size() : colon);
  if (colon != std::string_view::npos) port = text.substr(colon + 1);
  return true;
}

bool ReadPort(const std::string& text, unsigned& port) {
  char* end = nullptr;
  unsigned long v = text.empty() || text[0] < '0' || text[0] > '9' ? 0 : std::strtoul(text.c_str(), &end, 10);
  if (end == nullptr || *end != 0 || v < 1 || v > 65535) return false;
  port = static_cast<unsigned>(v);
  return true;
}

TConnectionForm ConnectionFormOf(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  const std::string_view rest = text.substr(i);
  if (SchemeLength(rest, {"postgresql://", "postgres://"}, false) != 0) return TConnectionForm::PgUri;
  if (SchemeLength(rest, {"mariadb://", "mysql://"}, true) != 0) return TConnectionForm::MariaDbUrl;
  if (SchemeLength(rest, {"firebird://"}, true) != 0) return TConnectionForm::FirebirdUrl;
  // A keyword list starts with a keyword and "=".
  size_t k = 0;
  while (k < rest.size() && IsKeywordChar(rest[k])) ++k;
  if (k == 0 || std::isdigit(static_cast<unsigned char>(rest[0])) != 0) return TConnectionForm::Plain;
  while (k < rest.size() && IsSpace(rest[k])) ++k;
  return k < rest.size() && rest[k] == '=' ? TConnectionForm::PgKeywords : TConnectionForm::Plain;
}

TConnectionText ReadConnectionText(std::string_view text) { return TReader(text, ConnectionFormOf(text)).Read(); }

}  // namespace dralvo
