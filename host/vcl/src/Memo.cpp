#include <QEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>

#include <cstring>
#include <optional>

#include "WidgetPeer.h"
#include "rtl/objects/ClassBuilder.h"
#include "vcl/StdCtrls.h"

namespace vcl {

namespace {
// Calls `line(begin, end)` for each line of text split at CR LF, CR and LF.
template <class LineFn>
void ForEachLine(std::string_view text, LineFn line) {
  const char* start = text.data();
  const char* const end = start + text.size();
  while (true) {
    // The next LF, then a CR before it: both searches are vectorised.
    const auto* lf = static_cast<const char*>(std::memchr(start, '\n', static_cast<size_t>(end - start)));
    const char* limit = lf != nullptr ? lf : end;
    const auto* cr = static_cast<const char*>(std::memchr(start, '\r', static_cast<size_t>(limit - start)));
    const char* stop = cr != nullptr ? cr : limit;
    line(start, stop);
    if (stop == end) return;
    start = stop + ((*stop == '\r' && stop + 1 != end && stop[1] == '\n') ? 2 : 1);
  }
}

void SplitLines(const std::string& text, std::vector<std::string>& out) {
  ForEachLine(text, [&](const char* begin, const char* end) { out.emplace_back(begin, end); });
}

// Lines held as one text, each followed by "\n", with where each starts:
// a memo filled with thousands of lines costs one buffer, not a string per
// line, and the text is ready for the widget as it stands.
class TLineBuffer {
 public:
  TLineBuffer() = default;
  explicit TLineBuffer(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) Append(line);
  }
  // Room for the entries of `list` (each line break counted once).
  void Reserve(const rtl::TStringList& list) {
    size_t size = 0;
    for (int i = 0, n = list.Count(); i < n; ++i) size += list.Strings(i).size() + 1;
    text_.reserve(text_.size() + size);
    starts_.reserve(starts_.size() + static_cast<size_t>(list.Count()));
  }
  // Adds an entry, split at CR LF, CR and LF.
  void Append(std::string_view entry) {
    ForEachLine(entry, [this](const char* begin, const char* end) {
      starts_.push_back(text_.size());
      text_.append(begin, end).push_back('\n');
    });
  }
  int Count() const { return static_cast<int>(starts_.size()); }
  std::string Line(int index) const {
    size_t begin = starts_[static_cast<size_t>(index)];
    size_t next = index + 1 < Count() ? starts_[static_cast<size_t>(index) + 1] : text_.size();
    return text_.substr(begin, next - 1 - begin);
  }
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
  std::vector<size_t> starts_;
};

// The lines of a memo. The widget holds each line followed by a line
// break, as the platform's memo does, so a last line that is empty is the
// cursor's line after the final break and not an entry.
//
// While the memo is hidden (on a page not shown, on a form not shown) a
// whole new text is kept here and given to the widget when it is shown or
// about to be used: laying out thousands of lines no one sees is most of
// the cost of filling a memo.
class TMemoStrings : public rtl::TStrings {
 public:
  explicit TMemoStrings(QPlainTextEdit* edit) : edit_(edit) {}

  int Count() const override {
    if (pending_) return pending_->Count();
    QTextDocument* doc = edit_->document();
    int blocks = doc->blockCount();
    if (doc->lastBlock().text().isEmpty()) --blocks;
    return blocks;
  }
  std::string Get(int index) const override {
    if (index < 0 || index >= Count()) IndexError(index);
    if (pending_) return pending_->Line(index);
    return edit_->document()->findBlockByNumber(index).text().toStdString();
  }
  void Put(int index, const std::string& s) override {
    std::vector<std::string> lines = Read();
    if (index < 0 || index >= static_cast<int>(lines.size())) IndexError(index);
    std::vector<std::string> parts;
    SplitLines(s, parts);
    lines.erase(lines.begin() + index);
    lines.insert(lines.begin() + index, parts.begin(), parts.end());
    Write(std::move(lines));
  }
  void Insert(int index, const std::string& s) override {
    std::vector<std::string> lines = Read();
    if (index < 0 || index > static_cast<int>(lines.size())) IndexError(index);
    std::vector<std::string> parts;
    SplitLines(s, parts);
    lines.insert(lines.begin() + index, parts.begin(), parts.end());
    Write(std::move(lines));
  }
  void Delete(int index) override {
    std::vector<std::string> lines = Read();
    if (index < 0 || index >= static_cast<int>(lines.size())) IndexError(index);
    lines.erase(lines.begin() + index);
    Write(std::move(lines));
  }
  void Clear() override { Write(TLineBuffer()); }
  void Assign(const rtl::TPersistent& source) override {
    const auto* other = dynamic_cast<const rtl::TStrings*>(&source);
    if (other == nullptr || other == this) {
      rtl::TStrings::Assign(source);
      return;
    }
    // One replacement of the whole text rather than one per line.
    TLineBuffer lines;
    if (const auto* list = dynamic_cast<const rtl::TStringList*>(other)) {
      lines.Reserve(*list);
      for (int i = 0, n = list->Count(); i < n; ++i) lines.Append(list->Strings(i));
    } else {
      for (int i = 0, n = other->Count(); i < n; ++i) lines.Append(other->Get(i));
    }
    Write(std::move(lines));
  }
  void SetText(const std::string& text) override {
    std::vector<std::string> lines;
    if (!text.empty()) SplitLines(text, lines);
    if (!lines.empty() && lines.back().empty() && !text.empty() && (text.back() == '\n' || text.back() == '\r'))
      lines.pop_back();
    Write(lines);
  }
  // Gives a kept text to the widget.
  void Flush() {
    if (!pending_) return;
    TLineBuffer lines = std::move(*pending_);
    pending_.reset();
    Show(lines);
  }

 private:
  std::vector<std::string> Read() const {
    std::vector<std::string> lines;
    for (int i = 0, n = Count(); i < n; ++i) lines.push_back(Get(i));
    return lines;
  }
  void Write(const std::vector<std::string>& lines) { Write(TLineBuffer(lines)); }
  void Write(TLineBuffer lines) {
    if (!edit_->isVisible()) {
      pending_ = std::move(lines);
      return;
    }
    pending_.reset();
    Show(lines);
  }
  void Show(const TLineBuffer& lines) { edit_->setPlainText(QString::fromStdString(lines.Text())); }
  QPlainTextEdit* edit_;
  std::optional<TLineBuffer> pending_;
};

// Hands the kept text to the widget as soon as it is shown.
class TShowFilter : public QObject {
 public:
  TShowFilter(QObject* parent, TMemoStrings* lines) : QObject(parent), lines_(lines) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show) lines_->Flush();
    return QObject::eventFilter(watched, event);
  }

 private:
  TMemoStrings* lines_;
};
}  // namespace

const rtl::TClass& TMemo::StaticClass() {
  static const rtl::TClass cls = rtl::ClassBuilder<TMemo>("TMemo", &TWinControl::StaticClass())
                                     .Creatable()
                                     .Bool("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap, true)
                                     .Build();
  return cls;
}

TMemo::TMemo(rtl::TComponent* owner) : TWinControl(owner) {
  auto* edit = new QPlainTextEdit;
  SetPeer(std::make_unique<TWidgetPeer>(edit));
  lines_ = std::make_unique<TMemoStrings>(edit);
  edit->installEventFilter(new TShowFilter(edit, static_cast<TMemoStrings*>(lines_.get())));
  SetScrollBars(TScrollStyle::ssNone);
}

TMemo::~TMemo() = default;

void TMemo::SetScrollBars(TScrollStyle style) {
  scrollBars_ = style;
  bool horizontal = style == TScrollStyle::ssHorizontal || style == TScrollStyle::ssBoth;
  bool vertical = style == TScrollStyle::ssVertical || style == TScrollStyle::ssBoth;
  QPlainTextEdit* edit = WidgetAs<QPlainTextEdit>(*this);
  edit->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  edit->setVerticalScrollBarPolicy(vertical ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  SetWordWrap(wordWrap_);
}

void TMemo::SetWordWrap(bool on) {
  wordWrap_ = on;
  // A horizontal scroll bar means lines run on instead of wrapping.
  bool horizontal = scrollBars_ == TScrollStyle::ssHorizontal || scrollBars_ == TScrollStyle::ssBoth;
  WidgetAs<QPlainTextEdit>(*this)->setLineWrapMode(on && !horizontal ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TMemo::TypeText(const std::string& text) {
  if (!CanFocus()) throw rtl::Exception("Cannot type into " + Name() + ": it is disabled or hidden");
  static_cast<TMemoStrings*>(lines_.get())->Flush();
  SetFocus();
  std::vector<std::string> lines;
  SplitLines(text, lines);
  std::string joined;
  for (size_t i = 0; i < lines.size(); ++i) joined += (i > 0 ? "\n" : "") + lines[i];
  WidgetAs<QPlainTextEdit>(*this)->insertPlainText(QString::fromStdString(joined));
}

void TMemo::SelectAll() {
  static_cast<TMemoStrings*>(lines_.get())->Flush();
  WidgetAs<QPlainTextEdit>(*this)->selectAll();
}

}  // namespace vcl
