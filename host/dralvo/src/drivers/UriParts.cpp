#include "UriParts.h"

#include <cstdlib>

namespace dralvo {

namespace {
int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}
}  // namespace

bool UndoPercentEscapes(const std::string& text, std::string& out) {
  out.clear();
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    int hi = i + 2 < text.size() ? HexDigit(text[i + 1]) : -1, lo = hi >= 0 ? HexDigit(text[i + 2]) : -1;
    if (lo < 0) return false;
    out += static_cast<char>(hi * 16 + lo);
    i += 2;
  }
  return true;
}

bool SplitHostPort(const std::string& hostPort, std::string& host, std::string& port) {
  host = hostPort;
  port.clear();
  if (!host.empty() && host[0] == '[') {
    size_t close = host.find(']');
    if (close == std::string::npos) return false;
    port = close + 1 < host.size() && host[close + 1] == ':' ? host.substr(close + 2) : "";
    host = host.substr(1, close - 1);
  } else if (size_t colon = host.rfind(':'); colon != std::string::npos) {
    port = host.substr(colon + 1);
    host = host.substr(0, colon);
  }
  return true;
}

bool ReadPort(const std::string& text, unsigned& port) {
  char* end = nullptr;
  unsigned long v = text.empty() || text[0] < '0' || text[0] > '9' ? 0 : std::strtoul(text.c_str(), &end, 10);
  if (end == nullptr || *end != 0 || v < 1 || v > 65535) return false;
  port = static_cast<unsigned>(v);
  return true;
}

}  // namespace dralvo
