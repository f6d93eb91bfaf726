// The database editor's dialog opened on a database with 1,000 parameter
// lines and a recent-database history of 1,000 names, and closed with OK
// (everything stored back), against filling a combo box and a plain text
// editor with the same lists and reading them back, in the same run
// (counter `ratio`, goal <= 3).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QComboBox>
#include <QPlainTextEdit>
#include <QStringList>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "CountingDesigner.h"
#include "DVReg/editors/DatabaseEditor.h"
#include "DVReg/settings/DesignSettings.h"
#include "dralvo/Database.h"
#include "dralvo-dialogs/Dlgs.h"
#include "dralvo/PackageInfo.h"
#include "rtl/packages/Units.h"
#include "rtl/settings/Registry.h"
#include "vcl/Application.h"
#include "vcl/Automation.h"
#include "vcl/PackageInfo.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kLines = 1000;

struct Setup {
  std::filesystem::path dir;
  std::unique_ptr<dv::TDesignSettings> settings;
  rtl::TComponent root{nullptr};
  dvtest::TCountingDesigner designer{&root};
  dralvo::TDVDatabase* database = nullptr;
  std::unique_ptr<designide::TComponentEditor> editor;
  std::vector<std::string> history;

  Setup() {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    char pattern[] = "/tmp/dvbench-XXXXXX";
    dir = ::mkdtemp(pattern);
    setenv("XDG_CONFIG_HOME", dir.c_str(), 1);
    rtl::InitializePackage(dralvo::PackageInfo());
    rtl::InitializePackage(vcl::PackageInfo());
    vcl::EnsureWidgetSystem();  // the baseline's widgets need the application
    rtl::TRegistry registry;
    registry.OpenKey("Software\\Dralvo", true);
    registry.WriteString("RootDir", dir.string());
    std::ofstream ini(dir / "dralvo.ini");
    ini << "[RecentDatabases]\nMaxCount=" << kLines << "\n";
    for (int i = 0; i < kLines; ++i) {
      history.push_back("/srv/data/customer_" + std::to_string(i) + ".db");
      ini << "Item" << (i < 10 ? "0" : "") << i << "=" << history.back() << "\n";
    }
    ini.close();
    settings = std::make_unique<dv::TDesignSettings>();
    dv::DesignSettings = settings.get();

    database = new dralvo::TDVDatabase(&root);
    database->SetDatabaseName("wide");
    for (int i = 0; i < kLines; ++i) database->Params()->Add("option_" + std::to_string(i) + "=value " + std::to_string(i));
    editor = designide::CreateComponentEditor(dv::TDVDatabaseEditor::StaticClass(), database, &designer);
  }
  ~Setup() {
    editor.reset();
    dv::DesignSettings = nullptr;
    settings.reset();
    std::filesystem::remove_all(dir);
    rtl::FinalizePackage(vcl::PackageInfo());
    rtl::FinalizePackage(dralvo::PackageInfo());
  }
};

// The baseline: the same two lists into a combo box and a text editor, and
// the text read back as lines.
size_t FillDirectly(const std::vector<std::string>& history, const rtl::TStrings& params) {
  QComboBox combo;
  QPlainTextEdit memo;
  QStringList names;
  for (const std::string& h : history) names << QString::fromStdString(h);
  combo.addItems(names);
  combo.setEditText(names.front());
  memo.setPlainText(QString::fromStdString(params.Text()));
  const QStringList lines = memo.toPlainText().split('\n');
  std::vector<std::string> back;
  for (const QString& line : lines) back.push_back(line.toStdString());
  return back.size() + combo.currentText().size();
}

void BM_DatabaseDialogVersusDirectFill(benchmark::State& state) {
  Setup s;
  auto& editor = *rtl::As<dv::TDVDatabaseEditor>(s.editor.get());
  vcl::TScriptAutomation automation;
  int itemsShown = 0;
  automation.OnForm = [&](vcl::TForm& form) {
    auto& dlg = *rtl::As<dralvo::TDVDatabaseEditDlg>(&form);
    itemsShown = dlg.cbRemoteDatabase->Items()->Count();
    dlg.btOk->Click();
  };
  vcl::ScopedAutomation scope(automation);
  Clock::duration dialog{}, baseline{};
  for (auto _ : state) {
    auto t0 = Clock::now();
    benchmark::DoNotOptimize(FillDirectly(s.history, *s.database->Params()));
    auto t1 = Clock::now();
    benchmark::DoNotOptimize(editor.EditDatabase(s.database));
    auto t2 = Clock::now();
    baseline += t1 - t0;
    dialog += t2 - t1;
  }
  if (itemsShown != kLines || s.database->Params()->Count() != kLines)
    state.SkipWithError("the dialog did not show or store the lists");
  const double n = static_cast<double>(state.iterations());
  state.counters["baseline_ms"] = std::chrono::duration<double, std::milli>(baseline).count() / n;
  state.counters["dialog_ms"] = std::chrono::duration<double, std::milli>(dialog).count() / n;
  state.counters["ratio"] = std::chrono::duration<double>(dialog) / std::chrono::duration<double>(baseline);
}
BENCHMARK(BM_DatabaseDialogVersusDirectFill)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
