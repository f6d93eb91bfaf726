#include <QListWidget>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include "rtl/ClassBuilder.h"
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

class TListBoxStrings : public rtl::TStrings {
 public:
  explicit TListBoxStrings(QListWidget* list) : list_(list) {}
  int Count() const override { return list_->count(); }
  std::string Get(int index) const override { return Item(index)->text().toStdString(); }
  void Put(int index, const std::string& s) override { Item(index)->setText(QString::fromStdString(s)); }
  TObject* GetObject(int index) const override {
    return reinterpret_cast<TObject*>(Item(index)->data(Qt::UserRole).value<quintptr>());
  }
  void PutObject(int index, TObject* obj) override {
    Item(index)->setData(Qt::UserRole, QVariant::fromValue(reinterpret_cast<quintptr>(obj)));
  }
  void Insert(int index, const std::string& s) override {
    if (index < 0 || index > Count()) IndexError(index);
    list_->insertItem(index, QString::fromStdString(s));
  }
  void Delete(int index) override { delete list_->takeItem(IndexChecked(index)); }
  void Clear() override { list_->clear(); }

 private:
  int IndexChecked(int index) const {
    if (index < 0 || index >= Count()) IndexError(index);
    return index;
  }
  QListWidgetItem* Item(int index) const { return list_->item(IndexChecked(index)); }
  QListWidget* list_;
};
}  // namespace

const rtl::TClass& TListBox::StaticClass() {
  static const rtl::TClass cls = rtl::ClassBuilder<TListBox>("TListBox", &TWinControl::StaticClass())
                                     .Creatable()
                                     .Bool("MultiSelect", &TListBox::MultiSelect, &TListBox::SetMultiSelect, false)
                                     .Int("ItemHeight", &TListBox::ItemHeight, &TListBox::SetItemHeight, 13)
                                     .Build();
  return cls;
}

TListBox::TListBox(rtl::TComponent* owner)
    : TWinControl(owner),
      list_(new QListWidget),
      items_(std::make_unique<TListBoxStrings>(list_)),
      canvas_(list_) {
  SetWidget(list_);
  list_->setItemDelegate(new TListBoxDelegate(list_, itemHeight_, horizontalExtent_));
  list_->setTextElideMode(Qt::ElideNone);
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  list_->setSelectionMode(QAbstractItemView::SingleSelection);
}

TListBox::~TListBox() = default;

void TListBox::SetMultiSelect(bool on) {
  multiSelect_ = on;
  list_->setSelectionMode(on ? QAbstractItemView::ExtendedSelection : QAbstractItemView::SingleSelection);
}

bool TListBox::Selected(int index) const {
  if (index < 0 || index >= list_->count())
    throw rtl::EListError("List index out of bounds (" + std::to_string(index) + ")");
  return list_->item(index)->isSelected();
}

void TListBox::SetSelected(int index, bool selected) {
  if (index < 0 || index >= list_->count())
    throw rtl::EListError("List index out of bounds (" + std::to_string(index) + ")");
  list_->item(index)->setSelected(selected);
}

void TListBox::SetAllSelected(bool selected) {
  if (selected && multiSelect_)
    list_->selectAll();
  else if (!selected)
    list_->clearSelection();
  else if (list_->count() > 0)
    list_->item(0)->setSelected(true);  // a single-selection list holds one at most
}

int TListBox::SelCount() const { return static_cast<int>(list_->selectionModel()->selectedRows().size()); }

int TListBox::ItemIndex() const { return list_->currentRow(); }

void TListBox::SetItemIndex(int index) { list_->setCurrentRow(index); }

void TListBox::SetItemHeight(int height) {
  itemHeight_ = height;
  ApplyItemSize();
}

void TListBox::ApplyItemSize() { list_->doItemsLayout(); }

void TListBox::ClickItem(int index, bool ctrl) {
  if (index < 0 || index >= list_->count())
    throw rtl::EListError("List index out of bounds (" + std::to_string(index) + ")");
  if (!CanFocus()) throw rtl::Exception("Cannot click in " + Name() + ": it is disabled or hidden");
  SetFocus();
  QModelIndex model = list_->model()->index(index, 0);
  if (multiSelect_ && ctrl) {
    list_->selectionModel()->setCurrentIndex(model, QItemSelectionModel::Toggle);
  } else {
    list_->selectionModel()->setCurrentIndex(model, QItemSelectionModel::ClearAndSelect);
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
