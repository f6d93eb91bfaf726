#include <QItemSelectionModel>
#include <QListWidget>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include <algorithm>
#include <utility>
#include <vector>

#include "EventLoopGuard.h"
#include "WidgetPeer.h"
#include "rtl/objects/ClassBuilder.h"
#include "vcl/StdCtrls.h"

namespace vcl {

namespace {
// Rows of the list box's item height; the row width is the horizontal
// extent, so Qt's scroll range is exactly what LB_SETHORIZONTALEXTENT asked.
class TListBoxDelegate : public QStyledItemDelegate {
 public:
  TListBoxDelegate(QObject* parent, const int& height, const int& extent)
      : QStyledItemDelegate(parent), height_(height), extent_(extent) {}
  QSize sizeHint(const QStyleOptionViewItem&, const QModelIndex&) const override { return QSize(extent_, height_); }

 private:
  const int& height_;
  const int& extent_;
};

// The items of a list box. Rows change only through this class, which keeps
// their texts also as UTF-8: reading thousands of items back (the selected
// fields of a wide table, say) then costs no conversion from the widget.
class TListBoxStrings : public rtl::TStrings {
 public:
  explicit TListBoxStrings(QListWidget* list) : list_(list) {}
  int Count() const override { return static_cast<int>(texts_.size()); }
  std::string Get(int index) const override { return texts_[static_cast<size_t>(IndexChecked(index))]; }
  void Put(int index, const std::string& s) override {
    Item(index)->setText(QString::fromStdString(s));
    texts_[static_cast<size_t>(index)] = s;
  }
  TObject* GetObject(int index) const override {
    return reinterpret_cast<TObject*>(Item(index)->data(Qt::UserRole).value<quintptr>());
  }
  void PutObject(int index, TObject* obj) override {
    Item(index)->setData(Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(obj)));
  }
  void Insert(int index, const std::string& s) override {
    if (index < 0 || index > Count()) IndexError(index);
    list_->insertItem(index, QString::fromStdString(s));
    texts_.insert(texts_.begin() + index, s);
  }
  void Delete(int index) override {
    delete list_->takeItem(IndexChecked(index));
    texts_.erase(texts_.begin() + index);
  }
  void Clear() override {
    list_->clear();
    texts_.clear();
  }
  // One insertion of all rows: the view lays out once, not once per row.
  void Assign(const rtl::TPersistent& source) override {
    const auto* other = dynamic_cast<const rtl::TStrings*>(&source);
    if (other == nullptr || other == this) {
      rtl::TStrings::Assign(source);
      return;
    }
    std::vector<std::string> texts = other->ToVector();
    QStringList rows;
    rows.reserve(static_cast<qsizetype>(texts.size()));
    for (const std::string& text : texts) rows.append(QString::fromStdString(text));
    Clear();
    list_->addItems(rows);
    texts_ = std::move(texts);
    for (int i = 0, n = Count(); i < n; ++i)
      if (TObject* obj = other->GetObject(i)) PutObject(i, obj);
  }

 private:
  int IndexChecked(int index) const {
    if (index < 0 || index >= Count()) IndexError(index);
    return index;
  }
  QListWidgetItem* Item(int index) const { return list_->item(IndexChecked(index)); }
  QListWidget* list_;
  std::vector<std::string> texts_;  // row by row, as the widget shows them
};

QListWidget* List(const TListBox& box) { return WidgetAs<QListWidget>(box); }
}  // namespace

const rtl::TClass& TListBox::StaticClass() {
  static const rtl::TClass cls = rtl::ClassBuilder<TListBox>("TListBox", &TWinControl::StaticClass())
                                     .Creatable()
                                     .Bool("MultiSelect", &TListBox::MultiSelect, &TListBox::SetMultiSelect, false)
                                     .Int("ItemHeight", &TListBox::ItemHeight, &TListBox::SetItemHeight, 13)
                                     .Build();
  return cls;
}

TListBox::TListBox(rtl::TComponent* owner) : TWinControl(owner), canvas_(*this) {
  auto* list = new QListWidget;
  SetPeer(std::make_unique<TWidgetPeer>(list));
  items_ = std::make_unique<TListBoxStrings>(list);
  list->setItemDelegate(new TListBoxDelegate(list, itemHeight_, horizontalExtent_));
  list->setTextElideMode(Qt::ElideNone);
  list->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  list->setSelectionMode(QAbstractItemView::SingleSelection);
  // A person's click on an item: Qt has changed the selection already.
  QObject::connect(list, &QListWidget::itemClicked, list,
                   [this](QListWidgetItem*) { Guarded([this] { DoClick(); }); });
}

TListBox::~TListBox() = default;

void TListBox::SetMultiSelect(bool on) {
  multiSelect_ = on;
  List(*this)->setSelectionMode(on ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

bool TListBox::Selected(int index) const {
  if (index < 0 || index >= List(*this)->count())
    throw rtl::EListError("List index out of bounds (" + std::to_string(index) + ")");
  return List(*this)->item(index)->isSelected();
}

void TListBox::SetSelected(int index, bool selected) {
  if (index < 0 || index >= List(*this)->count())
    throw rtl::EListError("List index out of bounds (" + std::to_string(index) + ")");
  List(*this)->item(index)->setSelected(selected);
}

void TListBox::SetAllSelected(bool selected) {
  QListWidget* list = List(*this);
  if (selected && multiSelect_)
    list->selectAll();
  else if (!selected)
    list->clearSelection();
  else if (list->count() > 0)
    list->item(0)->setSelected(true);  // a single-selection list holds one at most
}

int TListBox::SelCount() const { return static_cast<int>(SelectedIndexes().size()); }

std::vector<int> TListBox::SelectedIndexes() const {
  // Ranges of a toggled selection may overlap: merge them first.
  std::vector<std::pair<int, int>> spans;
  for (const QItemSelectionRange& range : List(*this)->selectionModel()->selection())
    if (range.isValid()) spans.emplace_back(range.top(), range.bottom());
  std::sort(spans.begin(), spans.end());
  std::vector<int> rows;
  rows.reserve(spans.empty() ? 0 : static_cast<size_t>(spans.back().second - spans.front().first + 1));
  int next = 0;  // the first row not yet listed
  for (const auto& [top, bottom] : spans) {
    for (int row = std::max(top, next); row <= bottom; ++row) rows.push_back(row);
    next = std::max(next, bottom + 1);
  }
  return rows;
}

int TListBox::ItemIndex() const { return List(*this)->currentRow(); }

void TListBox::SetItemIndex(int index) { List(*this)->setCurrentRow(index); }

void TListBox::SetItemHeight(int height) {
  itemHeight_ = height;
  ApplyItemSize();
}

void TListBox::ApplyItemSize() { List(*this)->doItemsLayout(); }

void TListBox::ClickItem(int index, bool ctrl) {
  QListWidget* list = List(*this);
  if (index < 0 || index >= list->count())
    throw rtl::EListError("List index out of bounds (" + std::to_string(index) + ")");
  if (!CanFocus()) throw rtl::Exception("Cannot click in " + Name() + ": it is disabled or hidden");
  SetFocus();
  QModelIndex model = list->model()->index(index, 0);
  if (multiSelect_ && ctrl) {
    list->selectionModel()->setCurrentIndex(model, QItemSelectionModel::Toggle);
  } else {
    list->selectionModel()->setCurrentIndex(model, QItemSelectionModel::ClearAndSelect);
  }
  DoClick();
}

LRESULT TListBox::WndProc(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case LB_SETHORIZONTALEXTENT:
      horizontalExtent_ = static_cast<int>(wParam);
      ApplyItemSize();
      return 0;
    case LB_GETHORIZONTALEXTENT:
      return horizontalExtent_;
    default:
      return TWinControl::WndProc(msg, wParam, lParam);
  }
}

}  // namespace vcl
