#include "window/SqlCompleter.h"

#include <Qsci/qsciscintilla.h>

#include <QKeySequence>
#include <QShortcut>
#include <cctype>

#include "model/SqlCatalog.h"
#include "model/SqlCompletion.h"

namespace designer {

namespace {
constexpr int kListId = 1;
}  // namespace

TSqlCompleter::TSqlCompleter(QsciScintilla& editor, std::function<TSqlCatalog*()> catalog,
                             std::function<void(const std::string&)> status)
    : editor_(editor), catalog_(std::move(catalog)), status_(std::move(status)) {
  // The list is ours: Scintilla inserts nothing itself, so a chosen name
  // replaces what was typed of it (its quote included).
  editor_.SendScintilla(QsciScintillaBase::SCI_AUTOCSETIGNORECASE, 1L);
  editor_.SendScintilla(QsciScintillaBase::SCI_AUTOCSETMAXHEIGHT, 12L);
  QObject::connect(&editor_, &QsciScintillaBase::SCN_CHARADDED, this, [this](int c) { CharAdded(c); });
  QObject::connect(&editor_, &QsciScintilla::userListActivated, this,
                   [this](int id, const QString& entry) {
                     if (id == kListId) Chosen(entry);
                   });
  auto* shortcut = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Space), &editor_);
  shortcut->setContext(Qt::WidgetShortcut);
  QObject::connect(shortcut, &QShortcut::activated, this, [this] { Complete(true); });
  timeout_.setSingleShot(true);
  QObject::connect(&timeout_, &QTimer::timeout, this, [this] {
    if (waitingAt_ < 0) return;
    waitingAt_ = -1;
    saidReading_ = false;
    status_("The server did not send its names within " + std::to_string(kTimeoutMs / 1000) +
            " s; keywords and names read so far are offered");
  });
}

TSqlCompleter::~TSqlCompleter() { StopWaiting(); }

void TSqlCompleter::StartWaiting(long cursor, bool asked) {
  if (waitingAt_ != cursor) timeout_.start(kTimeoutMs);
  waitingAt_ = cursor;
  waitingAsked_ = asked;
  saidReading_ = true;
  status_("Reading the database's names ...");
}

void TSqlCompleter::StopWaiting() {
  waitingAt_ = -1;
  timeout_.stop();
  if (!saidReading_) return;
  saidReading_ = false;
  status_("");
}

long TSqlCompleter::CursorPosition() const {
  return editor_.SendScintilla(QsciScintillaBase::SCI_GETCURRENTPOS);
}

void TSqlCompleter::CharAdded(int character) {
  // The list is made anew at each character of a name: it holds only what
  // fits what is typed, and its first entry is the one Enter takes.
  if (character == '.' || character == '"' || character == ' ' || character == '\n' || character == '_' ||
      (character < 0x80 && std::isalnum(character)))
    Complete(false);
}

void TSqlCompleter::Complete(bool asked) {
  const std::string text = editor_.text().toStdString();
  const long cursor = CursorPosition();
  const TCompletionContext context = AnalyseSql(text, static_cast<size_t>(cursor));
  // Unasked, a list comes where the place wants one kind of name, or for a
  // name being typed; never for a bare space in the middle of an expression.
  const bool wanted = asked || context.Kind == TCompletionKind::Tables ||
                      context.Kind == TCompletionKind::Columns || context.Quoted || context.Prefix.size() >= 2;
  offered_.clear();
  if (context.Kind == TCompletionKind::None || !wanted) {
    if (editor_.isListActive()) editor_.cancelList();
    return;
  }
  // A database whose settings cannot be read (a parameter file gone) gets
  // no list, and the person is told why.
  TSqlCatalog* catalog = nullptr;
  std::string problem;
  try {
    catalog = catalog_();
  } catch (const std::exception& error) {
    problem = std::string("No names to complete from: ") + error.what();
  }
  std::vector<std::string> entries;
  if (catalog != nullptr) {
    // Names that arrived while the list was picked, or that the list asked
    // for and are not read yet: their notice brings another look.
    const size_t arrivals = catalog->Arrivals();
    entries = CompletionEntries(context, catalog->Names());
    const TCatalogState state = catalog->State();
    if (state == TCatalogState::Reading || catalog->Arrivals() != arrivals) {
      StartWaiting(cursor, asked);
    } else {
      StopWaiting();
      if (state == TCatalogState::Failed) status_("The database's names could not be read: " + catalog->Error());
    }
  } else {
    StopWaiting();
    if (!problem.empty()) status_(problem);
  }
  if (entries.empty()) {
    if (editor_.isListActive()) editor_.cancelList();
    return;
  }
  offered_ = entries;
  QStringList list;
  list.reserve(static_cast<int>(entries.size()));
  for (const std::string& entry : entries) list << QString::fromStdString(entry);
  editor_.showUserList(kListId, list);
}

// The list waited for comes only where it was asked for; elsewhere the
// wait just ends.
void TSqlCompleter::NamesArrived() {
  if (waitingAt_ < 0 || CursorPosition() != waitingAt_) {
    StopWaiting();
    return;
  }
  Complete(waitingAsked_);
}

void TSqlCompleter::Chosen(const QString& entry) {
  const std::string text = editor_.text().toStdString();
  const long cursor = CursorPosition();
  const TCompletionContext context = AnalyseSql(text, static_cast<size_t>(cursor));
  editor_.SendScintilla(QsciScintillaBase::SCI_SETSEL, static_cast<unsigned long>(context.WordStart), cursor);
  editor_.replaceSelectedText(entry);
  offered_.clear();
}

}  // namespace designer
