#pragma once
// What is printed of a name, a value or a message, made safe for a terminal
// and for a reader of lines: nothing in it can move the cursor, recolour or
// retitle the terminal, or pass for a line of its own. One function, one
// reading of UTF-8, for every command's output and every server message.
#include <string>
#include <string_view>

namespace rtl {

enum class TEscapeMode {
  // A name or value printed as one item of a line: a backslash reads \\, a
  // tab \t, a line feed \n, a carriage return \r; every other control
  // character (C0, DEL, C1: U+0080 to U+009F) \xHH with its code in two hex
  // digits; each byte that is not part of valid UTF-8 \xHH with its value.
  Item,
  // A message on standard error, read by a person: its line breaks stay,
  // and each line after the first is indented by two blanks, so that no
  // line of it can pass for one the program wrote; backslashes stay as
  // they are; every other control character and every byte that is not
  // UTF-8 reads \xHH as in Item.
  Message,
  // Text for a widget that draws every character itself (a grid's cell):
  // only the bytes that are not UTF-8 read \xHH.
  Cell,
};

std::string EscapeText(std::string_view text, TEscapeMode mode);

}  // namespace rtl
