// The standard controls over their real Qt widgets: string lists that read
// and write the widget, events only for a person's acts.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>

#include "TestForm.h"
#include "vcl/Menus.h"
#include "vcl/qt/Widgets.h"

namespace {

using vcltest::NewTestForm;

TEST(ComboBox, ItemsKeepTheTypedTextAndClearClearsIt) {
  auto form = NewTestForm();
  vcl::TComboBox* combo = form->combo;
  combo->SetText("typed");
  combo->Items()->Add("ORDERS");
  combo->Items()->Add("CUSTOMERS");
  EXPECT_EQ(combo->Text(), "typed");
  EXPECT_EQ(combo->ItemIndex(), -1);
  EXPECT_EQ(combo->Items()->Text(), "ORDERS\nCUSTOMERS\n");
  combo->SetItemIndex(1);
  EXPECT_EQ(combo->Text(), "CUSTOMERS");
  combo->SetText("CUSTOMERS2");
  EXPECT_EQ(combo->ItemIndex(), -1);  // typed over the chosen item
  combo->Items()->Clear();
  EXPECT_EQ(combo->Text(), "");
  EXPECT_EQ(combo->Items()->Count(), 0);
  EXPECT_TRUE(form->log.empty());  // nothing above was a person's act
  EXPECT_THROW(combo->Items()->Get(0), rtl::EListError);
}

TEST(ComboBox, TypingAndChoosingFireOnChange) {
  auto form = NewTestForm();
  form->Show();
  vcl::TComboBox* combo = form->combo;
  combo->Items()->Add("A");
  combo->Items()->Add("B");
  combo->TypeText(" T1");
  combo->Choose(1);
  EXPECT_EQ(form->log, (std::vector<std::string>{"combo change:  T1", "combo change: B"}));
  EXPECT_EQ(form->ActiveControl(), combo);
  EXPECT_THROW(combo->Choose(2), rtl::EListError);
  combo->SetEnabled(false);
  EXPECT_THROW(combo->TypeText("x"), rtl::Exception);
}

TEST(ListBox, SelectionsAndClicks) {
  auto form = NewTestForm();
  form->Show();
  auto* list = form->Make<vcl::TListBox>("list", 5, 5, 100, 100);
  list->SetMultiSelect(true);
  list->Items()->SetText("A\nB\nC\n");
  list->SetAllSelected(true);
  EXPECT_EQ(list->SelCount(), 3);
  list->SetSelected(1, false);
  EXPECT_TRUE(list->Selected(0));
  EXPECT_FALSE(list->Selected(1));
  list->ClickItem(2);  // a plain click selects that item alone
  EXPECT_EQ(list->SelCount(), 1);
  EXPECT_TRUE(list->Selected(2));
  list->ClickItem(0, true);  // Ctrl adds
  EXPECT_EQ(list->SelCount(), 2);
  EXPECT_EQ(form->ActiveControl(), list);
  list->Items()->Delete(0);
  EXPECT_EQ(list->Items()->Text(), "B\nC\n");
  EXPECT_THROW(list->Selected(5), rtl::EListError);
  list->SetAllSelected(false);
  EXPECT_EQ(list->SelCount(), 0);
}

TEST(ListBox, ItemsReadBackWhatTheWidgetShows) {
  auto form = NewTestForm();
  auto* list = form->Make<vcl::TListBox>("list", 5, 5, 100, 100);
  auto* widget = static_cast<QListWidget*>(vcl::qt::WidgetOf(*list));
  auto shown = [&] {
    std::vector<std::string> rows;
    for (int i = 0; i < widget->count(); ++i) rows.push_back(widget->item(i)->text().toStdString());
    return rows;
  };
  rtl::TStringList source{"ÄLTER", "B", "C"};
  rtl::TObject marker;
  source.PutObject(2, &marker);
  list->Items()->Add("old");
  list->Items()->Assign(source);  // replaces, objects and all
  EXPECT_EQ(list->Items()->ToVector(), shown());
  EXPECT_EQ(list->Items()->ToVector(), (std::vector<std::string>{"ÄLTER", "B", "C"}));
  EXPECT_EQ(list->Items()->GetObject(2), &marker);
  EXPECT_EQ(list->Items()->GetObject(0), nullptr);
  list->Items()->Insert(1, "X");
  list->Items()->Put(0, "A");
  list->Items()->Delete(2);
  EXPECT_EQ(list->Items()->ToVector(), (std::vector<std::string>{"A", "X", "C"}));
  EXPECT_EQ(list->Items()->ToVector(), shown());
  EXPECT_EQ(list->Items()->GetObject(2), &marker);
  EXPECT_THROW(list->Items()->Insert(4, "Z"), rtl::EListError);
  EXPECT_THROW(list->Items()->Get(3), rtl::EListError);
  list->Items()->Clear();
  EXPECT_EQ(widget->count(), 0);
}

TEST(ListBox, SelectedIndexesAgreeWithItemByItemSelection) {
  auto form = NewTestForm();
  form->Show();
  auto* list = form->Make<vcl::TListBox>("list", 5, 5, 100, 100);
  list->SetMultiSelect(true);
  list->Items()->SetText("A\nB\nC\nD\nE\nF\n");
  auto oneByOne = [&] {
    std::vector<int> rows;
    for (int i = 0; i < list->Items()->Count(); ++i)
      if (list->Selected(i)) rows.push_back(i);
    return rows;
  };
  EXPECT_TRUE(list->SelectedIndexes().empty());
  list->SetAllSelected(true);
  list->ClickItem(2, true);  // toggled off inside the selected range
  list->ClickItem(4, true);
  list->ClickItem(4, true);  // and on again: overlapping ranges
  list->SetSelected(5, false);
  list->SetSelected(5, true);
  EXPECT_EQ(list->SelectedIndexes(), (std::vector<int>{0, 1, 3, 4, 5}));
  EXPECT_EQ(list->SelectedIndexes(), oneByOne());
  EXPECT_EQ(list->SelCount(), 5);
  list->ClickItem(3);
  EXPECT_EQ(list->SelectedIndexes(), (std::vector<int>{3}));
}

TEST(Memo, LinesAsThePlatformsMemoKeepsThem) {
  struct Row {
    std::vector<std::string> entries;
    std::vector<std::string> readBack;
  };
  std::vector<Row> rows{
      {{}, {}},
      {{"a"}, {"a"}},
      {{"a", ""}, {"a", ""}},
      {{""}, {""}},
      // An entry holding a line break shows, and reads back, as two lines.
      {{"select A\r\nfrom T", "where"}, {"select A", "from T", "where"}},
      // LF then CR is two breaks; CR CR LF is a CR and a CR LF.
      {{"a\n\rb", "p\r\r\nq"}, {"a", "", "b", "p", "", "q"}},
      {{"\r\n", "end\r"}, {"", "", "end", ""}},
      {{"x\ry", "z\n"}, {"x", "y", "z", ""}},  // the last row is what the widget shows below
  };
  auto form = NewTestForm();
  form->combo->Items()->SetText("c1\nc2\n");  // a source kept by a widget
  form->memo->Lines()->Assign(*form->combo->Items());
  EXPECT_EQ(form->memo->Lines()->ToVector(), (std::vector<std::string>{"c1", "c2"}));
  for (const Row& row : rows) {
    rtl::TStringList source;
    for (const std::string& e : row.entries) source.Add(e);
    form->memo->Lines()->Assign(source);
    EXPECT_EQ(form->memo->Lines()->ToVector(), row.readBack) << source.Text();
  }
  // Written while hidden, the text reaches the widget when it is shown.
  auto* edit = static_cast<QPlainTextEdit*>(vcl::qt::WidgetOf(*form->memo));
  EXPECT_EQ(edit->toPlainText().toStdString(), "");
  form->Show();
  EXPECT_EQ(edit->toPlainText().toStdString(), "x\ny\nz\n\n");
  rtl::TStrings* lines = form->memo->Lines();
  lines->Clear();
  lines->Add("one");
  lines->Add("three");
  lines->Insert(1, "two");
  lines->Put(0, "ONE");
  EXPECT_EQ(lines->Text(), "ONE\ntwo\nthree\n");
  EXPECT_EQ(edit->toPlainText().toStdString(), "ONE\ntwo\nthree\n");
  // What a person types is read back line by line.
  edit->setPlainText("update T\nset A = 1");
  EXPECT_EQ(lines->ToVector(), (std::vector<std::string>{"update T", "set A = 1"}));
}

TEST(Memo, BothScrollBarsAndNoWrapping) {
  auto form = NewTestForm();
  form->memo->SetScrollBars(vcl::TScrollStyle::ssBoth);
  auto* edit = static_cast<QPlainTextEdit*>(vcl::qt::WidgetOf(*form->memo));
  EXPECT_EQ(edit->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(edit->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(edit->lineWrapMode(), QPlainTextEdit::NoWrap);
}

TEST(CheckBoxAndButton, ClickTogglesAndFires) {
  auto form = NewTestForm();
  form->Show();
  auto* box = form->Make<vcl::TCheckBox>("box", 5, 5, 100, 17);
  int clicks = 0;
  box->OnClick = [&](rtl::TObject* sender) {
    EXPECT_EQ(sender, box);
    ++clicks;
  };
  box->SetChecked(true);  // programmatic: silent
  EXPECT_EQ(clicks, 0);
  EXPECT_TRUE(box->Click());
  EXPECT_FALSE(box->Checked());
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(form->ActiveControl(), box);
}

TEST(Label, AcceleratorFocusesItsControl) {
  auto form = NewTestForm();
  form->Show();
  auto* label = form->Make<vcl::TLabel>("label", 5, 5, 60, 13);
  label->SetCaption("Table &Name:");
  auto* qlabel = static_cast<QLabel*>(vcl::qt::WidgetOf(*label));
  // Without a control to focus the "&" marks nothing and is not drawn.
  EXPECT_EQ(qlabel->text().toStdString(), "Table Name:");
  label->SetFocusControl(form->combo);
  EXPECT_EQ(qlabel->text().toStdString(), "Table &Name:");
  EXPECT_EQ(qlabel->buddy(), vcl::qt::FocusWidgetOf(*form->combo));
  label->Accelerate();
  EXPECT_EQ(form->ActiveControl(), form->combo);
  delete form->combo;
  form->combo = nullptr;
  EXPECT_EQ(label->FocusControl(), nullptr);
  label->Accelerate();  // nothing left to focus, and no crash
}

// Laid out for a narrower font than this machine's: what does not fit grows
// to its text (a right-justified label to the left), what fits keeps its
// bounds, and a larger font later grows it again.
TEST(TextControls, GrowToTheirTextAndKeepTheBoundsTheyWereGivenWhenItFits) {
  auto form = NewTestForm();
  auto* label = form->Make<vcl::TLabel>("label", 10, 150, 20, 13);
  label->SetCaption("Refresh/Update &Fields:");
  QLabel* shown = static_cast<QLabel*>(vcl::qt::WidgetOf(*label));
  const int needed = shown->fontMetrics().horizontalAdvance("Refresh/Update Fields:");
  EXPECT_GE(label->Width(), needed);
  EXPECT_EQ(label->Left(), 10);
  auto* right = form->Make<vcl::TLabel>("right", 100, 170, 20, 13);
  right->SetAlignment(vcl::TAlignment::taRightJustify);
  right->SetCaption("Table Name:");
  EXPECT_EQ(right->Left() + right->Width(), 120);
  EXPECT_GT(right->Width(), 20);
  auto* fits = form->Make<vcl::TLabel>("fits", 10, 185, 200, 13);
  fits->SetCaption("Key");
  EXPECT_EQ(fits->Width(), 200);
  form->cancel->SetCaption("Select &Primary Keys");
  EXPECT_GT(form->cancel->Width(), 75);
  EXPECT_EQ(form->ok->Width(), 75);
  const int before = label->Width();
  label->Font().SetSize(label->Font().Size() * 2);
  EXPECT_GT(label->Width(), before);
}

TEST(PopupMenu, RemembersWhereItWasOpenedAndForgetsFreedControls) {
  auto form = NewTestForm();
  auto* menu = new vcl::TPopupMenu(form.get());
  auto* item = new vcl::TMenuItem(form.get());
  item->SetCaption("&Select All");
  menu->Add(item);
  auto* list = form->Make<vcl::TListBox>("list", 5, 5, 100, 100);
  list->SetPopupMenu(menu);
  rtl::TObject* clickedOn = nullptr;
  item->OnClick = [&](rtl::TObject*) { clickedOn = menu->PopupComponent(); };
  menu->Popup(list);
  EXPECT_TRUE(item->Click());
  EXPECT_EQ(clickedOn, list);
  delete list;
  EXPECT_EQ(menu->PopupComponent(), nullptr);
  item->SetEnabled(false);
  EXPECT_FALSE(item->Click());
  delete menu;  // items owned by the form stay and do not reach back
  EXPECT_EQ(item->Caption(), "&Select All");
}

}  // namespace
