#include "window/MainWindow.h"

#include <QAction>
#include <QCloseEvent>
#include <QDockWidget>
#include <QMenuBar>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>

#include "designide/ToolsAPI.h"
#include "dralvo/DataSet.h"
#include "window/CodeEditorPanel.h"
#include "window/DataPanel.h"
#include "window/InspectorPanel.h"
#include "window/ModuleView.h"
#include "window/SqlAssist.h"
#include "window/PalettePanel.h"
#include "window/Reporting.h"
#include "window/StructurePanel.h"

namespace designer {

TMainWindow::TMainWindow(TDesignerSettings settings) : settings_(std::move(settings)) {
  setObjectName("DesignerWindow");
  images_.Load();
  BuildPanels();
  BuildMenus();
  WireModuleView();
  statusBar()->setObjectName("StatusBar");
  RestoreGeometry();
  SetDocument(TDesignDocument::CreateNew());
}

TMainWindow::~TMainWindow() {
  // A query still running ends before its dataset can go.
  data_->Cancel();
  data_->WaitForQuery();
  data_->SetDataSet(nullptr);
  // The panels go before the module whose components they show: first the
  // text modules (their tabs are in the centre), then the Structure view's
  // nodes and the inspector's editors, which are the package's objects.
  codeEditor_.reset();
  structure_->Forget();
  inspector_->SetDocument(nullptr);
  delete centre_;
  centre_ = nullptr;
  if (document_ != nullptr) document_->OnChange = nullptr;
}

void TMainWindow::BuildPanels() {
  palette_ = new TPalettePanel(images_, this);
  palette_->Rebuild();
  auto* paletteBar = new QToolBar("Palette", this);
  paletteBar->setObjectName("PaletteBar");
  paletteBar->setMovable(false);
  paletteBar->addWidget(palette_);
  addToolBar(Qt::TopToolBarArea, paletteBar);

  centre_ = new QTabWidget(this);
  centre_->setObjectName("Editors");
  moduleScroll_ = new QScrollArea(centre_);
  moduleScroll_->setObjectName("ModuleScroll");
  moduleView_ = new TModuleView(images_, moduleScroll_);
  moduleScroll_->setWidget(moduleView_);
  moduleScroll_->setWidgetResizable(true);
  centre_->addTab(moduleScroll_, "Design");
  centre_->setTabsClosable(true);
  centre_->tabBar()->setTabButton(0, QTabBar::RightSide, nullptr);  // the module's own page stays
  setCentralWidget(centre_);
  codeEditor_ = std::make_unique<TCodeEditorPanel>(*centre_);
  codeEditor_->Assist().SelectedComponent = [this]() -> rtl::TComponent* {
    return document_ != nullptr && document_->Selection().Count() == 1 ? document_->Selection().First() : nullptr;
  };
  codeEditor_->Assist().OpenStringList = [this](const std::string& component, const std::string& property) {
    OpenInCodeEditor(component, property);
  };

  auto* findingsDock = new QDockWidget("Findings", this);
  findingsDock->setObjectName("FindingsDock");
  findingsDock->setWidget(codeEditor_->Assist().FindingsView());
  addDockWidget(Qt::BottomDockWidgetArea, findingsDock);

  structure_ = new TStructurePanel(this);
  structure_->ChosenClass = [this] { return palette_->ChosenClass(); };
  structure_->ClearChoice = [this] { palette_->ClearChoice(); };
  auto* structureDock = new QDockWidget("Structure", this);
  structureDock->setObjectName("StructureDock");
  structureDock->setWidget(structure_);
  addDockWidget(Qt::LeftDockWidgetArea, structureDock);

  inspector_ = new TInspectorPanel(statusBar(), this);
  auto* inspectorDock = new QDockWidget("Object Inspector", this);
  inspectorDock->setObjectName("InspectorDock");
  inspectorDock->setWidget(inspector_);
  addDockWidget(Qt::LeftDockWidgetArea, inspectorDock);

  data_ = new TDataPanel(this);
  data_->OnBusyChanged = [this](bool busy) { SetQueryRunning(busy); };
  data_->OnActiveChanged = [this] { inspector_->RefreshValues(); };
  auto* dataDock = new QDockWidget("Data", this);
  dataDock->setObjectName("DataDock");
  dataDock->setWidget(data_);
  addDockWidget(Qt::BottomDockWidgetArea, dataDock);
  resize(1100, 760);
}

void TMainWindow::SetDocument(std::unique_ptr<TDesignDocument> document) {
  if (document_ != nullptr) {
    document_->OnChange = nullptr;
    document_->OnRootReplacing = nullptr;
  }
  // The views let go of the old module before it is freed.
  data_->Cancel();
  data_->WaitForQuery();
  data_->SetDataSet(nullptr);
  moduleView_->SetDocument(nullptr);
  structure_->SetDocument(nullptr);
  inspector_->SetDocument(nullptr);
  // The catalogs' connections close with the module whose databases they read.
  if (document_ != nullptr) {
    codeEditor_->Assist().Catalogs().Clear();
    codeEditor_->Assist().ForgetFindings();
  }
  document_ = std::move(document);
  if (document_ != nullptr) {
    document_->OnChange = [this](unsigned changes) { DocumentChanged(changes); };
    document_->OnRootReplacing = [this] {
      structure_->Forget();
      inspector_->Clear();
    };
  }
  moduleView_->SetDocument(document_.get());
  structure_->SetDocument(document_.get());
  inspector_->SetDocument(document_.get());
  palette_->ClearChoice();
  UpdateTitle();
  UpdateActions();
}

void TMainWindow::DocumentChanged(unsigned changes) {
  if ((changes & (dcComponents | dcPositions | dcModule)) != 0) moduleView_->Reload();
  if ((changes & dcSelection) != 0) moduleView_->update();
  if ((changes & (dcComponents | dcModule)) != 0) {
    structure_->ModuleChanged();
    // Open text modules follow their properties (an undo, a dialog).
    designide::ModuleServices().CheckFileAges();
  }
  if ((changes & (dcSelection | dcModule)) != 0) {
    structure_->ShowSelection();
    inspector_->Reload();
    ShowSelectedData();
  } else if ((changes & dcComponents) != 0) {
    inspector_->RefreshValues();
    data_->Refresh();  // Active set in the inspector, say
  }
  UpdateTitle();
  UpdateActions();
}

void TMainWindow::ShowSelectedData() {
  rtl::TComponent* selected = document_ != nullptr ? document_->Selection().First() : nullptr;
  const bool isDataSet = selected != nullptr && selected->InheritsFrom(dralvo::TDVDataSet::StaticClass());
  data_->SetDataSet(isDataSet ? static_cast<dralvo::TDVDataSet*>(selected) : nullptr);
}

void TMainWindow::SetQueryRunning(bool running) {
  menuBar()->setEnabled(!running);
  centre_->setEnabled(!running);
  for (QToolBar* bar : findChildren<QToolBar*>()) bar->setEnabled(!running);
  for (QDockWidget* dock : findChildren<QDockWidget*>())
    if (dock->widget() != data_) dock->setEnabled(!running);
}

void TMainWindow::UpdateTitle() {
  if (document_ == nullptr) {
    setWindowTitle("dvdesigner");
    setWindowModified(false);
    return;
  }
  setWindowTitle(QString::fromStdString(document_->DisplayName()) + "[*] - dvdesigner");
  setWindowModified(document_->IsModified());
}

void TMainWindow::UpdateActions() {
  const bool open = document_ != nullptr;
  Action("actionSave")->setEnabled(open);
  Action("actionSaveAs")->setEnabled(open);
  Action("actionClose")->setEnabled(open);
  Action("actionSelectAll")->setEnabled(open);
  Action("actionDelete")->setEnabled(open && !document_->Selection().Empty());
  QAction* undo = Action("actionUndo");
  undo->setEnabled(open && document_->CanUndo());
  undo->setText(open && document_->CanUndo() ? QString::fromStdString("&Undo " + document_->UndoLabel()) : "&Undo");
  QAction* redo = Action("actionRedo");
  redo->setEnabled(open && document_->CanRedo());
  redo->setText(open && document_->CanRedo() ? QString::fromStdString("&Redo " + document_->RedoLabel()) : "&Redo");
}

QAction* TMainWindow::Action(const char* name) const {
  auto* action = findChild<QAction*>(name);
  if (action == nullptr) throw std::logic_error(std::string("The window has no action ") + name);
  return action;
}

void TMainWindow::closeEvent(QCloseEvent* event) {
  if (!CloseModule()) {
    event->ignore();
    return;
  }
  SaveGeometry();
  event->accept();
}

void TMainWindow::RestoreGeometry() {
  const std::string geometry = settings_.WindowGeometry();
  const std::string state = settings_.WindowState();
  if (!geometry.empty()) restoreGeometry(QByteArray::fromBase64(QByteArray::fromStdString(geometry)));
  if (!state.empty()) restoreState(QByteArray::fromBase64(QByteArray::fromStdString(state)));
}

// A settings file that cannot be written costs the geometry, not the exit.
void TMainWindow::SaveGeometry() {
  try {
    settings_.SaveWindow(saveGeometry().toBase64().toStdString(), saveState().toBase64().toStdString());
  } catch (const std::exception& error) {
    statusBar()->showMessage(QString::fromStdString(std::string("Window layout not kept: ") + error.what()));
  }
}

}  // namespace designer
