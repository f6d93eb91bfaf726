#pragma once
// What the commands print of names, values and messages, through the
// run-time library's one escaper (rtl/text/Escaping.h): one item stays on
// one line and nothing in a value can pass for a separator or a row of its
// own; a message keeps its line breaks but cannot forge a line.
#include <string>
#include <string_view>

namespace designer {

// A name or value as one item of a line (rtl::TEscapeMode::Item).
std::string Escaped(std::string_view text);
// Escaped, with every password masked first (dralvo::MaskPasswords).
std::string Shown(std::string_view value);
// A message for the terminal (standard error; rtl::TEscapeMode::Message).
std::string ForTerminal(std::string_view message);

}  // namespace designer
