// The menus of the main window: File, Edit and Help.
#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>

#include "model/PackageResources.h"
#include "window/MainWindow.h"
#include "vcl/Dialogs.h"
#include "window/Reporting.h"

namespace designer {

namespace {
QAction* AddAction(QMenu* menu, const char* name, const QString& text, const QKeySequence& keys,
                   std::function<void()> run) {
  QAction* action = menu->addAction(text);
  action->setObjectName(name);
  action->setShortcut(keys);
  QObject::connect(action, &QAction::triggered, menu, [run = std::move(run)] { run(); });
  return action;
}
}  // namespace

void TMainWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu("&File");
  AddAction(file, "actionNew", "&New Data Module", QKeySequence::New, [this] { NewModule(); });
  AddAction(file, "actionOpen", "&Open...", QKeySequence::Open, [this] {
    const std::string name = AskForFileName(TFileQuestion::Open, "");
    if (!name.empty()) OpenFile(name);
  });
  recentMenu_ = file->addMenu("Open &Recent");
  recentMenu_->setObjectName("menuRecent");
  QObject::connect(recentMenu_, &QMenu::aboutToShow, this, [this] { FillRecentMenu(); });
  file->addSeparator();
  AddAction(file, "actionSave", "&Save", QKeySequence::Save, [this] { SaveCurrent(); });
  AddAction(file, "actionSaveAs", "Save &As...", QKeySequence::SaveAs, [this] {
    const std::string name = AskForFileName(TFileQuestion::SaveAs, document_ ? document_->FileName() : "");
    if (!name.empty()) SaveAs(name);
  });
  AddAction(file, "actionClose", "&Close", QKeySequence::Close, [this] { CloseModule(); });
  file->addSeparator();
  AddAction(file, "actionQuit", "&Quit", QKeySequence::Quit, [this] { close(); });

  QMenu* edit = menuBar()->addMenu("&Edit");
  AddAction(edit, "actionUndo", "&Undo", QKeySequence::Undo, [this] { UndoChange(); });
  AddAction(edit, "actionRedo", "&Redo", QKeySequence::Redo, [this] { RedoChange(); });
  edit->addSeparator();
  AddAction(edit, "actionDelete", "&Delete", QKeySequence(), [this] { DeleteSelection(); });
  AddAction(edit, "actionSelectAll", "Select &All", QKeySequence::SelectAll, [this] {
    if (document_ != nullptr) document_->SelectAll();
  });

  QMenu* help = menuBar()->addMenu("&Help");
  help->setObjectName("menuHelp");
  QAction* aboutDesigner =
      AddAction(help, "actionAboutDesigner", "About &dvdesigner...", QKeySequence(), [this] { ShowAbout(); });
  QObject::connect(help, &QMenu::aboutToShow, this, [this, help, aboutDesigner] {
    // One About entry per loaded package, asked anew: packages come and go.
    for (QAction* old : help->actions()) {
      if (old->objectName() == "actionAboutPackage") delete old;
    }
    RunReported("Reading the packages' About entries", [&] {
      for (const TPackageAbout& about : PackageAbouts()) {
        auto* action = new QAction(QString::fromStdString("About " + about.Description + "..."), help);
        help->insertAction(aboutDesigner, action);
        action->setObjectName("actionAboutPackage");
        QObject::connect(action, &QAction::triggered, this, [about] {
          RunReported("Showing the About dialog of " + about.Description, [&] { RunPackageAbout(about); });
        });
      }
    });
  });
}

void TMainWindow::FillRecentMenu() {
  recentMenu_->clear();
  std::vector<std::string> files;
  RunReported("Reading the recent files", [&] { files = settings_.RecentFiles(); });
  for (size_t i = 0; i < files.size(); ++i) {
    const std::string path = files[i];
    QAction* action = recentMenu_->addAction(QString("&%1 %2").arg(i + 1).arg(QString::fromStdString(path)));
    action->setObjectName(QString("actionRecent%1").arg(i + 1));
    QObject::connect(action, &QAction::triggered, this, [this, path] { OpenFile(path); });
  }
  recentMenu_->setEnabled(!files.empty());
}

void TMainWindow::ShowAbout() {
  vcl::MessageDlg("dvdesigner: the designer of data modules for the packages it loads.\nQt " +
                      std::string(qVersion()),
                  vcl::TMsgDlgType::mtInformation, vcl::mbOK);
}

}  // namespace designer
