// Cost of opening a module of 2,000 components (10 sessions, 100 databases,
// 1,890 queries) in the designer window, on Qt's offscreen platform: the
// module read, the module view drawn, the Structure view built and the
// Object Inspector filled for the first component; against reading the same
// file as a designed module without a window. Then selecting another
// component (the Object Inspector refilled, the Structure view and module
// view following) against building the inspector model for it alone.
// Then selecting a component in a module of 20,000 components, against one
// frame at 60 Hz.
//
// Run: build-*/bin/window_bench. Counters: "open_ratio" (goal: at most 3),
// "select_ratio" (shown, no goal) and, of the large module, "frame_ratio"
// (goal: at most 1, that is 16 ms). Both sides are timed on this thread's
// processor clock.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <QApplication>
#include <ctime>
#include <filesystem>
#include <memory>
#include <string>

#include "designide/ObjectInspector.h"
#include "dralvo/Engine.h"
#include "model/DesignDocument.h"
#include "rtl/forms/FormFiles.h"
#include "rtl/packages/Packages.h"
#include "vcl/Application.h"
#include "window/MainWindow.h"
#include "window/InspectorPanel.h"
#include "window/ModuleView.h"
#include "window/StructurePanel.h"

namespace {

constexpr int kSessions = 10;
constexpr int kDatabases = 100;
constexpr int kComponents = 2000;
constexpr int kLargeModule = 20000;
constexpr double kFrame = 1.0 / 60;

double Now() {
  timespec ts{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) * 1e-9;
}

std::filesystem::path WorkDir() {
  return std::filesystem::temp_directory_path() / ("dvbench-window-" + std::to_string(getpid()));
}

void Place(rtl::TComponent& component, int index) {
  component.SetDesignPosition(16 + (index % 40) * 96, 16 + (index / 40) * 72);
}

// What both benchmarks run in: a scratch settings folder, the offscreen
// toolkit and the package loaded, undone in reverse order.
class TWindowHost {
 public:
  TWindowHost() : application_((Prepare(), argc_), argv_) {
    vcl::EnsureWidgetSystem();
    module_ = rtl::LoadPackage(
        (std::filesystem::path(rtl::GetModuleFileName(nullptr)).parent_path() / "DclDralvo160.so").string());
  }
  ~TWindowHost() {
    rtl::UnloadPackage(module_);
    vcl::ShutdownWidgetSystem();
    std::filesystem::remove_all(WorkDir());
  }
  TWindowHost(const TWindowHost&) = delete;
  TWindowHost& operator=(const TWindowHost&) = delete;

 private:
  static void Prepare() {
    std::filesystem::create_directories(WorkDir());
    setenv("XDG_CONFIG_HOME", WorkDir().c_str(), 1);
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }
  int argc_ = 1;
  char name_[13] = "window_bench";
  char* argv_[2] = {name_, nullptr};
  QApplication application_;
  rtl::HMODULE module_{};
};

// The module file, written once; its sessions are freed before it is read.
std::string WriteModule(int components = kComponents) {
  std::unique_ptr<rtl::TComponent> root(static_cast<rtl::TComponent*>(rtl::GetClass("TDataModule").Create(nullptr)));
  root->SetName("Big");
  int index = 0;
  for (int s = 0; s < kSessions; ++s, ++index) {
    auto* session = new dralvo::TDVSession(root.get());
    session->SetName("Session" + std::to_string(s));
    session->SetSessionName("BenchSession" + std::to_string(s));
    Place(*session, index);
  }
  for (int d = 0; d < kDatabases; ++d, ++index) {
    auto* database = new dralvo::TDVDatabase(root.get());
    database->SetName("Database" + std::to_string(d));
    database->SetDatabaseName("D" + std::to_string(d));
    database->SetSessionName("BenchSession" + std::to_string(d % kSessions));
    Place(*database, index);
  }
  for (int q = 0; index < components; ++q, ++index) {
    auto* query = new dralvo::TDVQuery(root.get());
    query->SetName("Query" + std::to_string(q));
    query->SetDatabaseName("D" + std::to_string(q % kDatabases));
    query->SetSessionName("BenchSession" + std::to_string(q % kDatabases % kSessions));
    query->SQL()->Add("select * from t" + std::to_string(q));
    Place(*query, index);
  }
  const std::string file = (WorkDir() / "Big.dfm").string();
  rtl::WriteComponentFile(file, *root);
  return file;
}

void BM_OpenAndSelectInTheWindow(benchmark::State& state) {
  TWindowHost host;
  {
    const std::string file = WriteModule();
    designer::TMainWindow window{designer::TDesignerSettings((WorkDir() / "dvdesigner.ini").string())};
    window.show();
    double plainOpen = 0, windowOpen = 0, modelOnly = 0, select = 0;
    for (auto _ : state) {
      // Sessions are known by name: one copy of the module at a time.
      window.CloseModule();
      double start = Now();
      std::unique_ptr<designer::TDesignDocument> plain = designer::TDesignDocument::Open(file);
      plainOpen += Now() - start;
      plain.reset();

      start = Now();
      window.OpenFile(file);
      designer::TDesignDocument& doc = *window.Document();
      doc.Selection().Select(doc.Root().Components(0));
      // Drawn as a person first sees them (a view lays its rows out then).
      window.ModuleView()->repaint();
      window.Structure()->viewport()->repaint();
      window.Inspector()->repaint();
      const double opened = Now() - start;
      windowOpen += opened;
      state.SetIterationTime(opened);

      rtl::TComponent* other = doc.Root().Components(kComponents / 2);
      start = Now();
      designide::TObjectInspector model(&doc, {other});
      benchmark::DoNotOptimize(model.Rows().size());
      modelOnly += Now() - start;
      // A selection made before: the Structure view lays its rows out on the
      // first one after opening, which is the opening's cost.
      doc.Selection().Select(doc.Root().Components(kComponents / 3));
      start = Now();
      doc.Selection().Select(other);
      select += Now() - start;
    }
    state.counters["open_ratio"] = windowOpen / plainOpen;
    state.counters["select_ratio"] = select / modelOnly;
    const double n = static_cast<double>(state.iterations());
    state.counters["plain_open_ms"] = plainOpen / n * 1e3;
    state.counters["window_open_ms"] = windowOpen / n * 1e3;
    state.counters["model_us"] = modelOnly / n * 1e6;
    state.counters["select_us"] = select / n * 1e6;
  }
}

void BM_SelectInALargeModule(benchmark::State& state) {
  TWindowHost host;
  {
    const std::string file = WriteModule(kLargeModule);
    designer::TMainWindow window{designer::TDesignerSettings((WorkDir() / "dvdesigner.ini").string())};
    window.show();
    window.OpenFile(file);
    designer::TDesignDocument& doc = *window.Document();
    doc.Selection().Select(doc.Root().Components(0));
    window.Structure()->viewport()->repaint();
    double select = 0;
    int step = 0;
    for (auto _ : state) {
      rtl::TComponent* other = doc.Root().Components((kLargeModule / 7 * ++step) % kLargeModule);
      const double start = Now();
      doc.Selection().Select(other);
      // As a person sees it: the views drawn anew.
      window.ModuleView()->repaint();
      window.Structure()->viewport()->repaint();
      window.Inspector()->repaint();
      const double took = Now() - start;
      select += took;
      state.SetIterationTime(took);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["select_ms"] = select / n * 1e3;
    state.counters["frame_ratio"] = select / n / kFrame;
  }
}

BENCHMARK(BM_SelectInALargeModule)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

BENCHMARK(BM_OpenAndSelectInTheWindow)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace

BENCHMARK_MAIN();
