#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>

#include "rtl/ClassBuilder.h"
#include "vcl/StdCtrls.h"

namespace vcl {

namespace {
// Splits text at CR LF, CR and LF.
void SplitLines(const std::string& text, std::vector<std::string>& out) {
  size_t start = 0;
  while (true) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) {
      out.push_back(text.substr(start));
      return;
    }
    out.push_back(text.substr(start, end - start));
    start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
  }
}

// The lines of a memo. The widget holds each line followed by a line
// break, as the platform's memo does, so a last line that is empty is the
// cursor's line after the final break and not an entry.
class TMemoStrings : public rtl::TStrings {
 public:
  explicit TMemoStrings(QPlainTextEdit* edit) : edit_(edit) {}

  int Count() const override {
    QTextDocument* doc = edit_->document();
    int blocks = doc->blockCount();
    if (doc->lastBlock().text().isEmpty()) --blocks;
    return blocks;
  }
  std::string Get(int index) const override {
    if (index < 0 || index >= Count()) IndexError(index);
    return edit_->document()->findBlockByNumber(index).text().toStdString();
  }
  void Put(int index, const std::string& s) override {
    std::vector<std::string> lines = Read();
    if (index < 0 || index >= static_cast<int>(lines.size())) IndexError(index);
    std::vector<std::string> parts;
    SplitLines(s, parts);
    lines.erase(lines.begin() + index);
    lines.insert(lines.begin() + index, parts.begin(), parts.end());
    Write(lines);
  }
  void Insert(int index, const std::string& s) override {
    std::vector<std::string> lines = Read();
    if (index < 0 || index > static_cast<int>(lines.size())) IndexError(index);
    std::vector<std::string> parts;
    SplitLines(s, parts);
    lines.insert(lines.begin() + index, parts.begin(), parts.end());
    Write(lines);
  }
  void Delete(int index) override {
    std::vector<std::string> lines = Read();
    if (index < 0 || index >= static_cast<int>(lines.size())) IndexError(index);
    lines.erase(lines.begin() + index);
    Write(lines);
  }
  void Clear() override { edit_->clear(); }
  void Assign(const rtl::TPersistent& source) override {
    const auto* other = dynamic_cast<const rtl::TStrings*>(&source);
    if (other == nullptr || other == this) {
      rtl::TStrings::Assign(source);
      return;
    }
    // One replacement of the whole text rather than one per line.
    std::vector<std::string> lines;
    for (int i = 0, n = other->Count(); i < n; ++i) SplitLines(other->Get(i), lines);
    Write(lines);
  }
  void SetText(const std::string& text) override {
    std::vector<std::string> lines;
    if (!text.empty()) SplitLines(text, lines);
    if (!lines.empty() && lines.back().empty() && !text.empty() &&
        (text.back() == '\n' || text.back() == '\r'))
      lines.pop_back();
    Write(lines);
  }

 private:
  std::vector<std::string> Read() const {
    std::vector<std::string> lines;
    for (int i = 0, n = Count(); i < n; ++i) lines.push_back(Get(i));
    return lines;
  }
  void Write(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
      text += line;
      text += '\n';
    }
    edit_->setPlainText(QString::fromStdString(text));
  }
  QPlainTextEdit* edit_;
};
}  // namespace

const rtl::TClass& TMemo::StaticClass() {
  static const rtl::TClass cls = rtl::ClassBuilder<TMemo>("TMemo", &TWinControl::StaticClass())
                                     .Creatable()
                                     .Bool("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap, true)
                                     .Build();
  return cls;
}

TMemo::TMemo(rtl::TComponent* owner)
    : TWinControl(owner), edit_(new QPlainTextEdit), lines_(std::make_unique<TMemoStrings>(edit_)) {
  SetWidget(edit_);
  SetScrollBars(TScrollStyle::ssNone);
}

TMemo::~TMemo() = default;

void TMemo::SetScrollBars(TScrollStyle style) {
  scrollBars_ = style;
  bool horizontal = style == TScrollStyle::ssHorizontal || style == TScrollStyle::ssBoth;
  bool vertical = style == TScrollStyle::ssVertical || style == TScrollStyle::ssBoth;
  edit_->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  edit_->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  SetWordWrap(wordWrap_);
}

void TMemo::SetWordWrap(bool on) {
  wordWrap_ = on;
  // A horizontal scroll bar means lines run on instead of wrapping.
  bool horizontal = scrollBars_ == TScrollStyle::ssHorizontal || scrollBars_ == TScrollStyle::ssBoth;
  edit_->setLineWrapMode(on && !horizontal ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TMemo::TypeText(const std::string& text) {
  if (!CanFocus()) throw rtl::Exception("Cannot type into " + Name() + ": it is disabled or hidden");
  SetFocus();
  std::vector<std::string> lines;
  SplitLines(text, lines);
  std::string joined;
  for (size_t i = 0; i < lines.size(); ++i) joined += (i > 0 ? "\n" : "") + lines[i];
  edit_->insertPlainText(QString::fromStdString(joined));
}

void TMemo::SelectAll() { edit_->selectAll(); }

}  // namespace vcl
