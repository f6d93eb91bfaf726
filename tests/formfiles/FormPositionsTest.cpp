// Where a character of a string list stood in the form file: through
// doubled quotes, #nnn codes, "+" continuations, entries that hold line
// breaks, characters of several bytes and CR LF line ends.
#include <string>

#include "FormFixture.h"
#include "rtl/forms/FormPositions.h"

namespace formtest {
namespace {

struct PlaceRow {
  const char* name;
  std::string lines;  // the body of Lines.Strings = ( ... ), from line 4 of the file
  int line, column;   // in the list's text
  rtl::TFormPlace expected;
};
void PrintTo(const PlaceRow& row, std::ostream* os) { *os << row.name; }

std::string Module(const std::string& lines, const char* eol = "\n") {
  return std::string("object Module1: TTestModule") + eol + "  object E: TTestWidget" + eol +
         "    Lines.Strings = (" + eol + lines + ")" + eol + "  end" + eol + "end" + eol;
}

class FormPositions : public FormFileTest, public ::testing::WithParamInterface<PlaceRow> {};

TEST_P(FormPositions, CharacterPlace) {
  const PlaceRow& row = GetParam();
  rtl::TFormPositions positions;
  rtl::TFormReadOptions options;
  options.Positions = &positions;
  auto root = Read(Module(row.lines), options);
  EXPECT_EQ(positions.CharacterPlace("e", "lines", row.line, row.column), row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, FormPositions,
    ::testing::Values(
        PlaceRow{"FirstCharacter", "      'select a'\n", 1, 1, {4, 8}},
        PlaceRow{"SecondEntry", "      'select a'\n      'from t'", 2, 6, {5, 13}},
        PlaceRow{"AfterDoubledQuotes", "      'set n = ''x'', q = :q'", 1, 18, {4, 27}},
        PlaceRow{"TheDoubledQuote", "      'set n = ''x'''", 1, 9, {4, 16}},
        PlaceRow{"CodeThenRun", "      #65'bc'", 1, 1, {4, 7}},
        PlaceRow{"RunAfterCode", "      #65'bc'", 1, 2, {4, 11}},
        PlaceRow{"JoinedLineAfterCrLf", "      'select a'#13#10'from t'\n      'where'", 2, 6, {4, 29}},
        PlaceRow{"EntryAfterJoinedLine", "      'select a'#13#10'from t'\n      'where'", 3, 1, {5, 8}},
        PlaceRow{"PlusContinuation", "      'select a'#13#10 +\n      'from t'\n      'where'", 2, 6, {5, 13}},
        PlaceRow{"CharactersNotBytes", "      '\xC3\xA9\xC3\xA9 x'", 1, 4, {4, 11}},
        PlaceRow{"PastTheLineIsTheProperty", "      'ab'", 1, 9, {3, 5}},
        PlaceRow{"PastTheListIsTheProperty", "      'ab'", 2, 1, {3, 5}}));

TEST_F(FormFileTest, ObjectAndListPlacesWithCrLfLines) {
  rtl::TFormPositions positions;
  rtl::TFormReadOptions options;
  options.Positions = &positions;
  auto root = Read(Module("      'ab'\r\n      'cd'", "\r\n"), options);
  EXPECT_EQ(positions.ObjectPlace("Module1"), (rtl::TFormPlace{1, 1}));
  EXPECT_EQ(positions.ObjectPlace("E"), (rtl::TFormPlace{2, 3}));
  EXPECT_EQ(positions.ListPlace("E", "Lines"), (rtl::TFormPlace{3, 5}));
  EXPECT_EQ(positions.CharacterPlace("E", "Lines", 2, 2), (rtl::TFormPlace{5, 9}));
  // What the file does not hold: the object's place, or none.
  EXPECT_EQ(positions.ListPlace("E", "Caption"), (rtl::TFormPlace{2, 3}));
  EXPECT_EQ(positions.ObjectPlace("Nobody"), (rtl::TFormPlace{}));
}

}  // namespace
}  // namespace formtest
