// A long text is lexed ahead on a second thread, in pieces cut at line
// starts. Whatever the pieces, reading must end exactly as reading without
// them: the same module, or the same error at the same place.
#include <filesystem>
#include <string>
#include <vector>

#include "FormFixture.h"
#include "rtl/system/SysUtils.h"

namespace formtest {
namespace {

// What reading `text` comes to, as text that can be compared. In step, every
// piece but the first is read from the thread's tokens; otherwise the reader
// takes what the thread has finished and lexes the rest itself.
std::string Outcome(const std::string& text, size_t pieceBytes, bool inStep = false) {
  rtl::TFormReadOptions options;
  options.ScanAheadPiece = pieceBytes;
  options.ScanAheadInStep = inStep;
  try {
    return "read:\n" + rtl::WriteComponentText(*rtl::ReadComponentText(text, "test.dfm", options));
  } catch (const rtl::EFormFileError& e) {
    return std::string("refused: ") + e.what();
  } catch (const rtl::EPropertyError& e) {
    return std::string("unwritable: ") + e.what();
  }
}

// Piece sizes from one byte (a piece per line) to a few lines.
const std::vector<size_t> kPieces = {1, 2, 3, 7, 16, 61, 200};

void ExpectSameInPieces(const std::string& text) {
  const std::string whole = Outcome(text, 0);
  for (size_t piece : kPieces) {
    EXPECT_EQ(Outcome(text, piece, true), whole) << "pieces of " << piece << " bytes, in step";
    EXPECT_EQ(Outcome(text, piece), whole) << "pieces of " << piece << " bytes";
  }
}

// Widgets with every kind of value, strings that need decoding among them.
std::string Widgets(int count) {
  std::string text = "object Big: TTestModule\n";
  for (int i = 0; i < count; ++i) {
    const std::string n = std::to_string(i);
    text += "  object Widget" + n + ": TTestWidget\n";
    text += "    Count = " + n + "\n    Active = True\n";
    text += "    Caption = 'Widget ''" + n + "'' says '#$263A' and '#13#10'more' +\n      ' on the next line'\n";
    text += "    Align = alTop\n";
    text += "    Lines.Strings = (\n      'select * from table" + n + "'\n      'where id = :id')\n";
    text += "    Items = <\n      item\n        Name = 'item'\n      end>\n";
    text += "    Font.Size = " + std::to_string(8 + i % 5) + "\n    Font.Style = [fsBold, fsItalic]\n";
    if (i > 0) text += "    Buddy = Widget" + std::to_string(i - 1) + "\n";
    text += "    OnChange = Widget" + n + "Change\n  end\n";
  }
  return text + "end\n";
}

// Pieces of the size a reader uses unless told otherwise.
TEST_F(FormFileTest, MegabytesReadAlikeInDefaultPieces) {
  const std::string text = Widgets(3000);
  const size_t piece = rtl::TFormReadOptions{}.ScanAheadPiece;
  ASSERT_GT(text.size(), 4 * piece);
  const std::string whole = Outcome(text, 0);
  ASSERT_EQ(whole.rfind("read:", 0), 0u);
  EXPECT_EQ(Outcome(text, piece), whole);
  EXPECT_EQ(Outcome(text, piece, true), whole);
}

TEST_F(FormFileTest, LongTextReadsAlikeInPieces) {
  const std::string text = Widgets(40);
  const std::string whole = Outcome(text, 0);
  ASSERT_EQ(whole.rfind("read:", 0), 0u) << whole;
  ExpectSameInPieces(text);
  // Pieces of blank lines only, and a byte-order mark with CR LF line ends.
  std::string blanks = text;
  blanks.insert(blanks.find("  object Widget7"), std::string(3000, '\n'));
  blanks.insert(blanks.size() - 4, std::string(500, ' ') + "\n\t\n");
  EXPECT_EQ(Outcome(blanks, 0), whole);
  ExpectSameInPieces(blanks);
  std::string crlf = "\xEF\xBB\xBF";
  for (char c : text) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
  EXPECT_EQ(Outcome(crlf, 0), whole);
  ExpectSameInPieces(crlf);
}

// An error anywhere, early while the thread is far ahead or late in one of
// its pieces, is raised where it stands and leaves nothing behind.
TEST_F(FormFileTest, ErrorsInAnyPieceAreRaisedWhereTheyStand) {
  const std::string text = Widgets(12);
  const std::vector<std::string> faults = {"@", "'", "#", "$", "9x", "\n", "= =", "1.5"};
  for (size_t at = 30; at < text.size(); at += 173) {
    for (const std::string& fault : faults) {
      std::string broken = text;
      broken.replace(at, 1, fault);
      SCOPED_TRACE("\"" + fault + "\" at byte " + std::to_string(at));
      ExpectSameInPieces(broken);
    }
  }
  // The text ends inside a piece the thread lexed.
  ExpectSameInPieces(text.substr(0, text.size() / 2));
  ExpectSameInPieces(text.substr(0, text.find('\'', text.size() / 2) + 5));
}

TEST_F(FormFileTest, CorpusReadsAlikeInPieces) {
  ASSERT_TRUE(std::filesystem::is_directory(CorpusDir())) << CorpusDir();
  for (const auto& entry : std::filesystem::directory_iterator(CorpusDir())) {
    SCOPED_TRACE(entry.path().filename().string());
    ExpectSameInPieces(rtl::ReadFileToString(entry.path().string()));
  }
}

}  // namespace
}  // namespace formtest
