#include "window/InspectorPanel.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QToolButton>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

#include "model/DesignDocument.h"
#include "window/Reporting.h"

namespace designer {

namespace {
// A heading that fits the width it is given, ending in "…" when the text
// is longer (the whole of it in the tool tip).
class TElidedLabel : public QLabel {
 public:
  explicit TElidedLabel(QWidget* parent) : QLabel(parent) {}

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const QRect area = contentsRect();
    painter.drawText(area, static_cast<int>(alignment()), fontMetrics().elidedText(text(), Qt::ElideRight, area.width()));
  }
};

constexpr int PathRole = Qt::UserRole;
constexpr int FilledRole = Qt::UserRole + 1;  // sub-rows added

std::string PathOf(const QTreeWidgetItem* item) { return item->data(0, PathRole).toString().toStdString(); }
}  // namespace

TInspectorPanel::TInspectorPanel(QStatusBar* statusBar, QWidget* parent)
    : QWidget(parent), statusBar_(statusBar) {
  setObjectName("ObjectInspector");
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(2, 2, 2, 2);
  auto* top = new QHBoxLayout;
  heading_ = new TElidedLabel(this);
  heading_->setObjectName("InspectorHeading");
  // A long component name must not widen the panel, which would move the
  // module view under the mouse: the heading takes the width it is given.
  heading_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  top->addWidget(heading_, 1);
  byCategory_ = new QToolButton(this);
  byCategory_->setObjectName("InspectorByCategory");
  byCategory_->setText("By category");
  byCategory_->setCheckable(true);
  QObject::connect(byCategory_, &QToolButton::toggled, this, [this] { Fill(); });
  top->addWidget(byCategory_);
  column->addLayout(top);

  tree_ = new QTreeWidget(this);
  tree_->setObjectName("InspectorRows");
  tree_->setColumnCount(2);
  tree_->setHeaderLabels({"Property", "Value"});
  tree_->header()->setSectionResizeMode(0, QHeaderView::Interactive);
  tree_->setColumnWidth(0, 140);
  tree_->setUniformRowHeights(true);
  tree_->setSelectionMode(QAbstractItemView::SingleSelection);
  QObject::connect(tree_, &QTreeWidget::itemExpanded, this, [this](QTreeWidgetItem* item) {
    if (!item->data(0, PathRole).isNull()) {
      expanded_.insert(PathOf(item));
      Expand(item);
    }
  });
  QObject::connect(tree_, &QTreeWidget::itemCollapsed, this,
                   [this](QTreeWidgetItem* item) { expanded_.erase(PathOf(item)); });
  QObject::connect(tree_, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem* current) {
    if (!filling_) MakeEditor(current);
  });
  column->addWidget(tree_, 1);
}

TInspectorPanel::~TInspectorPanel() = default;

void TInspectorPanel::SetDocument(TDesignDocument* document) {
  Clear();
  document_ = document;
  model_ = document_ != nullptr ? std::make_unique<TInspectorModel>(*document_) : nullptr;
  Reload();
}

void TInspectorPanel::Clear() {
  DropEditor();
  filling_ = true;
  tree_->clear();
  filling_ = false;
  SetHeading("");
  if (model_ != nullptr) model_->Clear();
}

void TInspectorPanel::Reload() {
  // Not while an editor of these rows is at work: afterwards.
  if (working_ > 0) {
    reloadPending_ = true;
    return;
  }
  Clear();
  if (model_ == nullptr) return;
  if (!RunReported("Listing the properties of the selection", [&] { model_->Reload(); })) return;
  Fill();
}

void TInspectorPanel::SetHeading(const std::string& text) {
  heading_->setText(QString::fromStdString(text));
  heading_->setToolTip(heading_->text());
}

bool TInspectorPanel::ByCategory() const { return byCategory_->isChecked(); }

void TInspectorPanel::SetByCategory(bool byCategory) { byCategory_->setChecked(byCategory); }

void TInspectorPanel::Fill() {
  DropEditor();
  filling_ = true;
  tree_->clear();
  filling_ = false;
  if (model_ == nullptr || model_->Empty()) return;
  SetHeading(model_->Heading());
  RunReported("Showing the properties", [&] {
    for (const TInspectorGroup& group : model_->Groups(ByCategory())) {
      QTreeWidgetItem* parent = nullptr;
      if (!group.Heading.empty()) {
        parent = new QTreeWidgetItem(tree_, {QString::fromStdString(group.Heading)});
        parent->setFirstColumnSpanned(true);
        QFont bold = parent->font(0);
        bold.setBold(true);
        parent->setFont(0, bold);
        parent->setExpanded(true);
      }
      for (designide::TInspectorRow* row : group.Rows) AddRow(parent, *row);
    }
  });
}

void TInspectorPanel::AddRow(QTreeWidgetItem* parent, designide::TInspectorRow& row) {
  const std::string path = row.Path();
  auto* item = parent != nullptr ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree_);
  item->setText(0, QString::fromStdString(row.Name()));
  item->setData(0, PathRole, QString::fromStdString(path));
  std::string problem;
  item->setText(1, QString::fromStdString(ValueText(path, problem)));
  item->setToolTip(1, QString::fromStdString(problem));
  if (row.Attributes() & designide::paSubProperties) {
    item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    if (expanded_.count(path) != 0) item->setExpanded(true);
  }
}

void TInspectorPanel::DropEditor() {
  // It may be the cell whose signal led here: it goes once that is done.
  if (editor_ != nullptr) {
    editor_->hide();
    editor_->deleteLater();
  }
  editor_ = nullptr;
  editorPath_.clear();
}

void TInspectorPanel::MakeEditor(QTreeWidgetItem* item) {
  DropEditor();
  if (item == nullptr || item->data(0, PathRole).isNull() || model_ == nullptr) return;
  const std::string path = PathOf(item);
  designide::TInspectorRow* row = model_->Find(path);
  if (row == nullptr) return;
  TValueEditing editing;
  if (!RunReported("Asking the editor of " + path, [&] { editing = EditingOf(*row); })) return;
  auto* editor = new TValueEditor(editing, tree_);
  editor->setObjectName(QString::fromStdString("Value:" + path));
  editor->OnEnter = [this, path](const std::string& text) { Enter(path, text); };
  editor->OnEllipsis = [this, path] { Ellipsis(path); };
  editor->OnValues = [this, path] { return ValuesOf(path); };
  editor_ = editor;
  editorPath_ = path;
  tree_->setItemWidget(item, 1, editor);
  if (editing.Completes) editor->FillList();
  ShowValueOf(path);
}

void TInspectorPanel::Expand(QTreeWidgetItem* item) {
  if (item->data(0, FilledRole).toBool() || model_ == nullptr) return;
  item->setData(0, FilledRole, true);
  RunReported("Listing the sub-properties of " + PathOf(item), [&] {
    designide::TInspectorRow* row = model_->Find(PathOf(item));
    if (row == nullptr) return;
    for (const auto& sub : row->SubRows()) AddRow(item, *sub);
  });
  if (item->childCount() == 0) item->setChildIndicatorPolicy(QTreeWidgetItem::DontShowIndicatorWhenChildless);
}

QTreeWidgetItem* TInspectorPanel::ItemOf(const std::string& path) const {
  const QString wanted = QString::fromStdString(path);
  for (QTreeWidgetItemIterator it(tree_); *it != nullptr; ++it)
    if ((*it)->data(0, PathRole).toString() == wanted) return *it;
  return nullptr;
}

TValueEditor* TInspectorPanel::EditorOf(const std::string& path) const {
  return editorPath_ == path ? editor_.data() : nullptr;
}

// A value that cannot be read shows nothing, and the reason as its hint.
std::string TInspectorPanel::ValueText(const std::string& path, std::string& problem) const {
  try {
    if (designide::TInspectorRow* row = model_ != nullptr ? model_->Find(path) : nullptr) return row->Value();
  } catch (const std::exception& error) {
    problem = error.what();
  }
  return {};
}

// Every line of the path shows the row's value (a row may stand under
// several categories).
void TInspectorPanel::ShowValueOf(const std::string& path) {
  std::string problem;
  const std::string text = ValueText(path, problem);
  const QString wanted = QString::fromStdString(path);
  for (QTreeWidgetItemIterator it(tree_); *it != nullptr; ++it) {
    if ((*it)->data(0, PathRole).toString() != wanted) continue;
    (*it)->setText(1, QString::fromStdString(text));
    (*it)->setToolTip(1, QString::fromStdString(problem));
  }
  if (editor_ != nullptr && editorPath_ == path) editor_->ShowValue(text);
}

void TInspectorPanel::RefreshValues() {
  if (model_ == nullptr || model_->Empty()) return;
  SetHeading(model_->Heading());
  for (QTreeWidgetItemIterator it(tree_); *it != nullptr; ++it)
    if (!(*it)->data(0, PathRole).isNull()) ShowValueOf(PathOf(*it));
}

void TInspectorPanel::Act(const std::string& what, const std::string& path, const std::function<void()>& act) {
  if (model_ == nullptr) return;
  ++working_;
  RunReported(what, act);
  --working_;
  if (reloadPending_) {
    reloadPending_ = false;
    Reload();
  }
  // What the row holds now: the new value, or the old one after an error.
  ShowValueOf(path);
}

void TInspectorPanel::Enter(const std::string& path, const std::string& text) {
  Act("Setting " + path + " to \"" + text + "\"", path, [&] {
    TBusyScope busy(statusBar_, "Setting " + path + " ...");
    model_->SetValue(path, text);
  });
}

void TInspectorPanel::Ellipsis(const std::string& path) {
  Act("The editor of " + path, path, [&] { model_->Edit(path); });
}

std::vector<std::string> TInspectorPanel::ValuesOf(const std::string& path) {
  std::vector<std::string> values;
  if (model_ == nullptr) return values;
  RunReported("Listing the values of " + path, [&] {
    TBusyScope busy(statusBar_, "Reading the values of " + path + " ...");
    if (designide::TInspectorRow* row = model_->Find(path)) values = row->Values();
  });
  return values;
}

}  // namespace designer
