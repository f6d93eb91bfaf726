// Saving over a module file that another program changed since the window
// read it: the person chooses between the file's version (reload, losing
// the window's changes), the window's version (overwrite) or neither.
#include <QStatusBar>

#include "designide/ToolsAPI.h"
#include "vcl/Dialogs.h"
#include "window/CodeEditorPanel.h"
#include "window/MainWindow.h"
#include "window/Reporting.h"

namespace designer {

bool TMainWindow::SaveOverChangedFile() {
  const std::string fileName = document_->FileName();
  // Each button says what it does, and Enter takes the one that loses
  // nothing: both others throw work away that no undo brings back.
  const vcl::TModalResult answer = vcl::MessageDlgChoices(
      document_->DisplayName() +
          " was changed on disk since it was read here.\n"
          "Reload from disk: the file's version; the changes made in this window are lost.\n"
          "Overwrite: this window's module; the changes made on disk are lost.\n"
          "Cancel: save nothing.",
      vcl::TMsgDlgType::mtWarning,
      {{"&Reload from disk", vcl::mrYes}, {"&Overwrite", vcl::mrNo}, {"Cancel", vcl::mrCancel}}, vcl::mrCancel);
  if (answer == vcl::mrNo) {
    if (!RunReported("Saving " + fileName, [&] {
          TBusyScope busy(statusBar(), "Saving " + fileName + " ...");
          document_->Save(/*overwrite=*/true);
        }))
      return false;
    statusBar()->showMessage(QString::fromStdString("Saved " + fileName + " over the file's newer version"));
    return true;
  }
  if (answer != vcl::mrYes) return false;
  // The text modules show properties of the components about to go; their
  // unsaved text is lost with the rest, as the person chose.
  designide::ModuleServices().CloseAll();
  SetDocument(nullptr);
  std::unique_ptr<TDesignDocument> document;
  const bool opened = RunReported("Reloading " + fileName, [&] {
    TBusyScope busy(statusBar(), "Reloading " + fileName + " ...");
    document = TDesignDocument::Open(fileName);
  });
  if (!opened) return false;
  SetDocument(std::move(document));
  statusBar()->showMessage(QString::fromStdString("Reloaded " + fileName + "; nothing was saved"));
  // Nothing was written: the save did not happen.
  return false;
}

}  // namespace designer
