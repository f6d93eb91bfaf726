// The completion of one code tab against a catalog whose names arrive when
// the test lets them: every table that fits is listed, however many, and
// the status bar's "Reading" line goes whatever ends the wait.
#include <gtest/gtest.h>
#include <Qsci/qsciscintilla.h>

#include <QApplication>
#include <QListWidget>
#include <QTest>
#include <condition_variable>
#include <mutex>

#include "dralvo/NameRules.h"
#include "model/SqlCatalog.h"
#include "window/SqlCompleter.h"

namespace windowtest {
namespace {

// Table names held back until Release.
class TGate {
 public:
  void Release() {
    std::lock_guard<std::mutex> lock(mutex_);
    open_ = true;
    opened_.notify_all();
  }
  void Wait() {
    std::unique_lock<std::mutex> lock(mutex_);
    opened_.wait(lock, [this] { return open_; });
  }

 private:
  std::mutex mutex_;
  std::condition_variable opened_;
  bool open_ = false;
};

class TGatedSource : public designer::ICatalogSource {
 public:
  TGatedSource(TGate& gate, int tables) : gate_(gate), tables_(tables) {}
  std::vector<std::string> TableNames() override {
    gate_.Wait();
    std::vector<std::string> names;
    for (int i = 0; i < tables_; ++i) names.push_back("t" + std::to_string(100000 + i));
    return names;
  }
  std::vector<std::string> ColumnNames(const std::string&) override { return {}; }
  std::shared_ptr<const dralvo::TDVNameRules> NameRules() override { return std::make_shared<dralvo::TDVNameRules>(); }

 private:
  TGate& gate_;
  int tables_;
};

class CompleterTest : public ::testing::Test {
 protected:
  CompleterTest()
      : catalog_([this] { return std::make_unique<TGatedSource>(gate_, 10001); },
                 [this] {
                   QMetaObject::invokeMethod(&guard_, [this] { completer_.NamesArrived(); }, Qt::QueuedConnection);
                 }),
        completer_(editor_, [this] { return &catalog_; }, [this](const std::string& text) { status_ = text; }) {
    editor_.show();
  }
  ~CompleterTest() override { gate_.Release(); }
  void NamesArrive() {
    gate_.Release();
    catalog_.WaitUntilSettled();
    QApplication::processEvents();
  }
  int Listed() {
    for (QWidget* top : QApplication::topLevelWidgets())
      if (auto* list = qobject_cast<QListWidget*>(top); list != nullptr && list->isVisible()) return list->count();
    return 0;
  }

  QObject guard_;
  TGate gate_;
  QsciScintilla editor_;
  designer::TSqlCatalog catalog_;
  designer::TSqlCompleter completer_;
  std::string status_;
};

TEST_F(CompleterTest, EveryFittingTableIsListedWhenTheNamesArrive) {
  editor_.setText("select * from");
  editor_.setCursorPosition(0, 13);
  QTest::keyClick(&editor_, Qt::Key_Space);
  EXPECT_EQ(status_, "Reading the database's names ...");
  NamesArrive();
  EXPECT_EQ(status_, "");
  ASSERT_TRUE(editor_.isListActive());
  EXPECT_EQ(completer_.Offered().size(), 10001u);
  EXPECT_EQ(Listed(), 10001);
}

TEST_F(CompleterTest, TheReadingLineGoesWhenTheCursorMovedAwayBeforeTheNamesArrived) {
  editor_.setText("select * from");
  editor_.setCursorPosition(0, 13);
  QTest::keyClick(&editor_, Qt::Key_Space);
  EXPECT_EQ(status_, "Reading the database's names ...");
  QTest::keyClick(&editor_, Qt::Key_Left);
  NamesArrive();
  EXPECT_FALSE(completer_.Waiting());
  EXPECT_EQ(status_, "");
}

}  // namespace
}  // namespace windowtest
