// The File menu's work: new, open, save, save as, close, and the question
// before unsaved changes are dropped.
#include <Qsci/qsciscintilla.h>

#include <QFileDialog>
#include <QStatusBar>

#include "rtl/files/AtomicFile.h"
#include "rtl/system/SysUtils.h"
#include "vcl/Application.h"
#include "vcl/Automation.h"
#include "vcl/Dialogs.h"
#include "designide/ToolsAPI.h"
#include "window/CodeEditorPanel.h"
#include "window/MainWindow.h"
#include "window/ModuleView.h"
#include "window/Reporting.h"
#include "window/SqlAssist.h"

namespace designer {

namespace {
const QString kFilter = "Data modules (*.dfm);;All files (*)";
}  // namespace

bool TMainWindow::AskToSave() {
  // Text modules first: saving one changes the data module.
  if (!codeEditor_->CloseAll()) return false;
  if (document_ == nullptr || !document_->IsModified()) return true;
  switch (vcl::MessageDlg("Save changes to " + document_->DisplayName() + "?", vcl::TMsgDlgType::mtConfirmation,
                          vcl::mbYesNoCancel)) {
    case vcl::mrYes:
      return Save();
    case vcl::mrNo:
      return true;
    default:
      return false;
  }
}

bool TMainWindow::CloseModule() {
  if (!AskToSave()) return false;
  SetDocument(nullptr);
  return true;
}

bool TMainWindow::NewModule() {
  if (!AskToSave()) return false;
  // The old module goes first: a module's sessions are known by name.
  SetDocument(nullptr);
  std::unique_ptr<TDesignDocument> document;
  if (!RunReported("Creating a data module", [&] { document = TDesignDocument::CreateNew(); })) return false;
  SetDocument(std::move(document));
  return true;
}

bool TMainWindow::OpenFile(const std::string& fileName) {
  if (!AskToSave()) return false;
  SetDocument(nullptr);
  std::unique_ptr<TDesignDocument> document;
  const bool opened = RunReported("Opening " + fileName, [&] {
    TBusyScope busy(statusBar(), "Opening " + fileName + " ...");
    document = TDesignDocument::Open(fileName);
  });
  if (!opened) return false;
  SetDocument(std::move(document));
  RememberRecent(document_->FileName());
  statusBar()->showMessage(QString::fromStdString("Opened " + document_->FileName()));
  return true;
}

bool TMainWindow::Save() {
  if (document_ == nullptr) return false;
  if (document_->FileName().empty()) {
    const std::string name = AskForFileName(TFileQuestion::SaveAs, document_->DisplayName());
    return !name.empty() && SaveAs(name);
  }
  const std::string fileName = document_->FileName();
  bool changedOnDisk = false;
  bool written = false;
  if (!RunReported("Saving " + fileName, [&] {
        TBusyScope busy(statusBar(), "Saving " + fileName + " ...");
        try {
          written = document_->Save();
        } catch (const rtl::EFileChangedError&) {
          changedOnDisk = true;
        }
      }))
    return false;
  if (changedOnDisk) return SaveOverChangedFile();
  statusBar()->showMessage(QString::fromStdString(written ? "Saved " + fileName : NothingChanged(fileName)));
  return true;
}

bool TMainWindow::SaveCurrent() {
  if (designide::TModule* module = codeEditor_->ModuleOf(centre_->currentWidget())) return SaveTextModule(*module);
  return Save();
}

bool TMainWindow::SaveTextModule(designide::TModule& module) {
  const std::string name = TCodeEditorPanel::Caption(module.FileName());
  if (document_ == nullptr) return false;
  if (!RunReported("Saving " + name, [&] { document_->Change("Edit " + name, [&] { module.Save(); }); })) return false;
  statusBar()->showMessage(QString::fromStdString(name + " saved into the module"));
  if (QsciScintilla* editor = codeEditor_->EditorOf(module.FileName())) codeEditor_->Assist().Saved(*editor);
  return true;
}

bool TMainWindow::SaveAs(const std::string& fileName) {
  if (document_ == nullptr) return false;
  if (!RunReported("Saving " + fileName, [&] {
        TBusyScope busy(statusBar(), "Saving " + fileName + " ...");
        document_->SaveAs(fileName);
      }))
    return false;
  RememberRecent(document_->FileName());
  statusBar()->showMessage(QString::fromStdString("Saved " + document_->FileName()));
  return true;
}

std::string TMainWindow::AskForFileName(TFileQuestion question, const std::string& suggestion) {
  if (AskFileName) return AskFileName(question, suggestion);
  if (vcl::CurrentAutomation() != nullptr || !vcl::HasDisplay()) {
    vcl::MessageDlg("No one is there to choose a file name", vcl::TMsgDlgType::mtError, vcl::mbOK);
    return {};
  }
  const QString start = QString::fromStdString(suggestion);
  const QString chosen = question == TFileQuestion::Open
                             ? QFileDialog::getOpenFileName(this, "Open Data Module", start, kFilter)
                             : QFileDialog::getSaveFileName(this, "Save Data Module As", start, kFilter);
  return chosen.toStdString();
}

// A settings file that cannot be written costs the recent list, not the work.
void TMainWindow::RememberRecent(const std::string& fileName) {
  try {
    settings_.AddRecentFile(fileName);
  } catch (const std::exception& error) {
    statusBar()->showMessage(QString::fromStdString(std::string("Recent files not kept: ") + error.what()));
  }
}

}  // namespace designer
