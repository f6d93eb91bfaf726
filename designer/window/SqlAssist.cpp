#include "window/SqlAssist.h"

#include <Qsci/qsciscintilla.h>

#include <QColor>
#include <QKeySequence>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolTip>
#include <QVBoxLayout>

#include "designide/StFilSys.h"
#include "dralvo/Database.h"
#include "dralvo/UpdateSQL.h"
#include "model/DatabaseCatalog.h"
#include "window/Reporting.h"
#include "window/SqlCompleter.h"

namespace designer {

namespace {
constexpr int kFindingIndicator = 8;  // Scintilla's lexers use the lower ones
constexpr int kFindingStyle = 1;      // annotation style offset below
constexpr int FileRole = Qt::UserRole;
constexpr int LineRole = Qt::UserRole + 1;
constexpr int ColumnRole = Qt::UserRole + 2;
}  // namespace

TSqlAssist::TSqlAssist(QTabWidget& tabs)
    : tabs_(tabs), catalogs_([this] {
        // A worker thread: the editors look on their own thread.
        QMetaObject::invokeMethod(&guard_, [this] {
          for (auto& [editor, tab] : open_)
            if (tab.Completer != nullptr) tab.Completer->NamesArrived();
        }, Qt::QueuedConnection);
      }) {
  view_ = new QWidget(tabs_.window());
  view_->setObjectName("Findings");
  auto* column = new QVBoxLayout(view_);
  column->setContentsMargins(2, 2, 2, 2);
  auto* check = new QPushButton("Check statement", view_);
  check->setObjectName("FindingsCheck");
  check->setToolTip("Check the update object's statement in the code tab in front against its database (F7)");
  QObject::connect(check, &QPushButton::clicked, &guard_, [this] {
    if (QsciScintilla* editor = FrontEditor()) Check(*editor);
  });
  column->addWidget(check);
  list_ = new QListWidget(view_);
  list_->setObjectName("FindingsList");
  column->addWidget(list_, 1);
  QObject::connect(list_, &QListWidget::itemActivated, &guard_, [this](QListWidgetItem* item) {
    const std::string fileName = item->data(FileRole).toString().toStdString();
    const int line = item->data(LineRole).toInt();
    const int index = item->data(ColumnRole).toInt();
    for (auto& [editor, tab] : open_) {
      if (tab.FileName != fileName) continue;
      auto* target = const_cast<QsciScintilla*>(editor);
      tabs_.setCurrentWidget(target);
      target->setCursorPosition(line, index);  // QScintilla's index counts characters
      target->ensureLineVisible(line);
      target->setFocus();
    }
  });
}

TSqlAssist::~TSqlAssist() {
  // The catalogs' workers stop before the editors they would notify go.
  catalogs_.Clear();
}

rtl::TComponent* TSqlAssist::ComponentOf(const std::string& fileName) const {
  designide::TStringsFileSystem* files = designide::StFilSys::StringsFileSystem();
  designide::TStringsPropertyFile* file = files != nullptr ? files->Find(fileName) : nullptr;
  return file != nullptr ? &file->Component() : nullptr;
}

QsciScintilla* TSqlAssist::FrontEditor() const {
  for (const auto& [editor, tab] : open_)
    if (tabs_.currentWidget() == editor) return const_cast<QsciScintilla*>(editor);
  return nullptr;
}

void TSqlAssist::ShowStatus(const std::string& text) {
  auto* window = qobject_cast<QMainWindow*>(tabs_.window());
  if (window == nullptr) return;
  if (text.empty())
    window->statusBar()->clearMessage();
  else
    window->statusBar()->showMessage(QString::fromStdString(text));
}

void TSqlAssist::Attach(QsciScintilla& editor, const std::string& fileName) {
  // The module is tied to its property only after it opened: the database
  // is looked up at each completion (an undo also makes it anew), and a tab
  // of no dataset's text finds none and offers nothing.
  TTab& tab = open_[&editor];
  tab.FileName = fileName;
  tab.Completer = std::make_unique<TSqlCompleter>(
      editor,
      [this, fileName]() -> TSqlCatalog* {
        rtl::TComponent* owner = ComponentOf(fileName);
        dralvo::TDVDatabase* database = owner != nullptr ? DatabaseOf(*owner) : nullptr;
        return database != nullptr ? &catalogs_.Of(*database) : nullptr;
      },
      [this](const std::string& text) { ShowStatus(text); });
  editor.indicatorDefine(QsciScintilla::SquiggleIndicator, kFindingIndicator);
  editor.setIndicatorForegroundColor(QColor(200, 0, 0), kFindingIndicator);
  editor.setAnnotationDisplay(QsciScintilla::AnnotationBoxed);
  editor.SendScintilla(QsciScintillaBase::SCI_SETMOUSEDWELLTIME, 400L);
  QObject::connect(&editor, &QsciScintillaBase::SCN_DWELLSTART, &guard_, [this, &editor](int position, int x, int y) {
    if (position < 0) return;
    int line = 0, index = 0;
    editor.lineIndexFromPosition(position, &line, &index);
    std::string text;
    for (const TLineFinding& f : FindingsOf(editor))
      if (f.Line == line) text += (text.empty() ? "" : "\n") + f.Message;
    if (!text.empty()) QToolTip::showText(editor.mapToGlobal(QPoint(x, y)), QString::fromStdString(text), &editor);
  });
  QObject::connect(&editor, &QsciScintillaBase::SCN_DWELLEND, &guard_, [](int, int, int) { QToolTip::hideText(); });
  auto* check = new QShortcut(QKeySequence(Qt::Key_F7), &editor);
  check->setContext(Qt::WidgetShortcut);
  QObject::connect(check, &QShortcut::activated, &guard_, [this, &editor] { Check(editor); });
  auto* refresh = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R), &editor);
  refresh->setContext(Qt::WidgetShortcut);
  QObject::connect(refresh, &QShortcut::activated, &guard_, [this, &editor] { RefreshNames(editor); });
}

void TSqlAssist::Detach(QsciScintilla& editor) {
  if (open_.erase(&editor) != 0) FillList();
}

TSqlCompleter* TSqlAssist::CompleterOf(const QsciScintilla& editor) const {
  auto found = open_.find(&editor);
  return found == open_.end() ? nullptr : found->second.Completer.get();
}

const std::vector<TLineFinding>& TSqlAssist::FindingsOf(const QsciScintilla& editor) const {
  static const std::vector<TLineFinding> none;
  auto found = open_.find(&editor);
  return found == open_.end() ? none : found->second.Findings;
}

void TSqlAssist::RefreshNames(QsciScintilla& editor) {
  auto found = open_.find(&editor);
  if (found == open_.end()) return;
  rtl::TComponent* component = ComponentOf(found->second.FileName);
  dralvo::TDVDatabase* database = component != nullptr ? DatabaseOf(*component) : nullptr;
  if (database == nullptr) return;
  catalogs_.Refresh(*database);
  ShowStatus("The names of database " + database->DatabaseName() + " are read anew at the next completion");
}

namespace {
// The update object whose statement the module holds, or null.
dralvo::TDVDataSetUpdateObject* UpdateObjectOf(const std::string& fileName, std::string& propertyName) {
  designide::TStringsFileSystem* files = designide::StFilSys::StringsFileSystem();
  designide::TStringsPropertyFile* file = files != nullptr ? files->Find(fileName) : nullptr;
  if (file == nullptr || StatementOfProperty(file->PropertyName()).empty()) return nullptr;
  propertyName = file->PropertyName();
  return dynamic_cast<dralvo::TDVDataSetUpdateObject*>(&file->Component());
}
}  // namespace

void TSqlAssist::Saved(QsciScintilla& editor) {
  auto found = open_.find(&editor);
  std::string propertyName;
  if (found != open_.end() && UpdateObjectOf(found->second.FileName, propertyName) != nullptr) Check(editor);
}

bool TSqlAssist::Check(QsciScintilla& editor) {
  auto found = open_.find(&editor);
  if (found == open_.end()) return false;
  TTab& tab = found->second;
  std::string propertyName;
  dralvo::TDVDataSetUpdateObject* update = UpdateObjectOf(tab.FileName, propertyName);
  if (update == nullptr) {
    ShowStatus("Only an update object's statements are checked");
    return false;
  }
  designide::TStringsPropertyFile& file = *designide::StFilSys::StringsFileSystem()->Find(tab.FileName);
  const std::string caption = propertyName + " of " + update->Name();
  std::vector<TLineFinding> findings;
  if (!RunReported("Checking " + caption, [&] {
        TBusyScope busy(nullptr, "Checking " + caption + " ...");
        findings = CheckStatement(*update, propertyName, file.ReadText());
      }))
    return false;
  tab.Findings = std::move(findings);
  Mark(editor, tab);
  FillList();
  ShowStatus(tab.Findings.empty() ? "Checked " + caption + ": nothing found"
                                  : "Checked " + caption + ": " + std::to_string(tab.Findings.size()) +
                                        (tab.Findings.size() == 1 ? " finding" : " findings"));
  return true;
}

void TSqlAssist::Mark(QsciScintilla& editor, const TTab& tab) {
  editor.clearAnnotations();
  editor.clearIndicatorRange(0, 0, editor.lines(), 0, kFindingIndicator);
  std::map<int, std::string> byLine;
  for (const TLineFinding& f : tab.Findings) {
    std::string& text = byLine[f.Line];
    text += (text.empty() ? "" : "\n") + f.Message;
  }
  for (const auto& [line, text] : byLine) {
    editor.fillIndicatorRange(line, 0, line, std::max(1, editor.lineLength(line)), kFindingIndicator);
    editor.annotate(line, QString::fromStdString(text), kFindingStyle);
  }
}

void TSqlAssist::FillList() {
  list_->clear();
  for (const auto& [editor, tab] : open_) {
    const std::string shown = tab.FileName.substr(tab.FileName.find('.') + 1);
    // As `check` prints a finding, the place being the line and column in
    // the tab's statement.
    for (const TLineFinding& f : tab.Findings) {
      auto* item = new QListWidgetItem(QString::fromStdString(shown + ":" + std::to_string(f.Line + 1) + ":" +
                                                              std::to_string(f.Column + 1) + ": " + f.Message +
                                                              " [" + f.Rule + "]"),
                                       list_);
      item->setData(FileRole, QString::fromStdString(tab.FileName));
      item->setData(LineRole, f.Line);
      item->setData(ColumnRole, f.Column);
      item->setToolTip(QString::fromStdString(f.Message));
    }
  }
}

}  // namespace designer
