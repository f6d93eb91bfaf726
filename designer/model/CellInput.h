#pragma once
// What a person types into a cell of the Data view, as the field's value:
// a whole number for an integer field, a number for a floating one, the
// text itself otherwise. An empty cell of a field that is no text is null.
#include <optional>
#include <string>

#include "db/Field.h"

namespace designer {

// None, with `why` saying what is wrong ("\"12x\" is no whole number"),
// when the text cannot be the field's value.
std::optional<db::TValue> ValueOfCellInput(const db::TField& field, const std::string& text, std::string& why);
// The value as the cell's editor starts with it: null as empty text.
std::string CellInputOf(const db::TValue& value);

}  // namespace designer
