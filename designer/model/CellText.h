#pragma once
// How a dataset's value is written out: in `dvdesigner data`'s lines and in
// the window's Data view. Both show binary values as their size and the
// bytes of text that is not valid UTF-8 as \xNN, so nothing garbles the
// terminal or the grid (the run-time library's escaper, rtl/text/Escaping.h).
#include <string>

#include "db/Field.h"

namespace designer {

// Blob and byte fields hold binary values.
bool IsBinaryField(const db::TField& field);
// "(3 bytes)".
std::string BinarySizeText(size_t size);
// Text for a grid cell: each byte that is not part of valid UTF-8 as \xNN.
std::string ShownUtf8(const std::string& text);
// A value of `field` as one field of a tab-separated line (escaped as one
// item of a line): null is empty, binary its size.
std::string LineFieldOf(const db::TField& field, const db::TValue& value);

}  // namespace designer
