#pragma once
// What the commands print of names and values: one item stays on one line
// and nothing in a value can pass for a separator or a row of its own.
// Backslash, tab, line feed and carriage return read \\ \t \n \r; every
// other control character, ASCII or C1, reads \xHH (two hex digits of its
// code). Everything else, other scripts included, is printed as it is.
#include <string>
#include <string_view>

namespace designer {

std::string Escaped(std::string_view text);
// Escaped, with every password masked first (dralvo::MaskPasswords).
std::string Shown(std::string_view value);
// A message for the terminal (standard error): every control character but
// the line break reads \xHH, so that a name in the message cannot move the
// cursor, recolour or retitle the terminal; the message's own line breaks
// and backslashes stay as they are, since it is read, not parsed.
std::string ForTerminal(std::string_view message);

}  // namespace designer
