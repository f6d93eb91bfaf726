// The file-open dialog: answered by the automation, by a person in Qt's
// file dialog, or cancelled when no one can answer.
#include "PictureFile.h"

#include <QApplication>
#include <QFileDialog>
#include <cstdio>
#include <filesystem>
#include <memory>

#include "rtl/objects/ClassBuilder.h"
#include "vcl/Application.h"
#include "vcl/Automation.h"
#include "vcl/Dialogs.h"
#include "vcl/Pictures.h"

namespace vcl {

namespace {
// "Text|*.txt;*.log|All|*" as Qt writes it: "Text (*.txt *.log);;All (*)".
QString QtFilter(const std::string& filter) {
  QStringList parts = QString::fromStdString(filter).split('|');
  QStringList out;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(';', ' ');
    out << parts[i] + " (" + patterns + ")";
  }
  return out.join(";;");
}

std::string StartPath(const TOpenDialog& dialog) {
  if (!dialog.FileName().empty()) return dialog.FileName();
  return dialog.InitialDir();
}

// Descriptions are shown as they are written (they name their patterns
// themselves, as the desktop's dialog of the platform shows them).
std::unique_ptr<QFileDialog> MakeQtDialog(const TOpenDialog& dialog) {
  auto qt = std::make_unique<QFileDialog>(QApplication::activeWindow(), QString::fromStdString(dialog.Title()),
                                          QString::fromStdString(StartPath(dialog)), QtFilter(dialog.Filter()));
  qt->setOption(QFileDialog::HideNameFilterDetails);
  qt->setFileMode((dialog.Options() & ofFileMustExist) != 0 ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  qt->setAcceptMode(QFileDialog::AcceptOpen);
  return qt;
}

// What the options let a person pick; raises EInOutError naming the file.
void CheckChosen(const TOpenDialog& dialog) {
  std::error_code ec;
  const std::filesystem::path chosen(dialog.FileName());
  if ((dialog.Options() & ofFileMustExist) != 0 && !std::filesystem::is_regular_file(chosen, ec))
    throw rtl::EInOutError("The file \"" + dialog.FileName() + "\" does not exist");
  const std::filesystem::path folder = chosen.has_parent_path() ? chosen.parent_path() : ".";
  if ((dialog.Options() & ofPathMustExist) != 0 && !std::filesystem::is_directory(folder, ec))
    throw rtl::EInOutError("The folder of \"" + dialog.FileName() + "\" does not exist");
}
}  // namespace

const rtl::TClass& TOpenDialog::StaticClass() {
  static const rtl::TClass cls = rtl::ClassBuilder<TOpenDialog>("TOpenDialog", &rtl::TComponent::StaticClass())
                                     .Creatable()
                                     .Str("FileName", &TOpenDialog::FileName, &TOpenDialog::SetFileName)
                                     .Str("Filter", &TOpenDialog::Filter, &TOpenDialog::SetFilter)
                                     .Str("InitialDir", &TOpenDialog::InitialDir, &TOpenDialog::SetInitialDir)
                                     .Str("Title", &TOpenDialog::Title, &TOpenDialog::SetTitle)
                                     .Build();
  return cls;
}

TOpenDialog::TOpenDialog(rtl::TComponent* owner) : TComponent(owner) {}

bool TOpenDialog::Execute() {
  if (TAutomation* automation = CurrentAutomation()) {
    const std::string before = fileName_;
    if (!automation->FileDialogShown(*this)) {
      fileName_ = before;
      return false;
    }
    // A person cannot pick what is not there when the options forbid it.
    try {
      CheckChosen(*this);
    } catch (...) {
      fileName_ = before;
      throw;
    }
    return true;
  }
  if (!HasDisplay()) {
    std::fprintf(stderr, "File dialog \"%s\" cancelled: there is no display to show it\n", title_.c_str());
    return false;
  }
  std::unique_ptr<QFileDialog> dialog = MakeQtDialog(*this);
  if (dialog->exec() != QDialog::Accepted || dialog->selectedFiles().isEmpty()) return false;
  fileName_ = dialog->selectedFiles().front().toStdString();
  return true;
}

void SaveOpenDialogPicture(const TOpenDialog& dialog, const std::string& pngFile) {
  std::unique_ptr<QFileDialog> qt = MakeQtDialog(dialog);
  qt->setOption(QFileDialog::DontUseNativeDialog);
  qt->resize(640, 400);
  qt->show();
  QApplication::processEvents();
  SavePicture(*qt, pngFile);
}

}  // namespace vcl
