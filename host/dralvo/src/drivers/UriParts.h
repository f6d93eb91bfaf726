#pragma once
// Pieces of the connection URLs that several drivers read alike.
#include <string>

namespace dralvo {

// `text` with its %XX escapes undone (so that a part may hold ":", "@",
// "/" or blanks); false at a broken escape.
bool UndoPercentEscapes(const std::string& text, std::string& out);

// HOST[:PORT] or [IPv6][:PORT] split (the brackets dropped); false for an
// unclosed "[".
bool SplitHostPort(const std::string& hostPort, std::string& host, std::string& port);

// A port: decimal digits alone, from 1 to 65535; false for anything else.
bool ReadPort(const std::string& text, unsigned& port);

}  // namespace dralvo
