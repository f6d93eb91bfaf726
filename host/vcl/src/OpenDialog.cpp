// The file-open dialog: answered by the automation, by a person in Qt's
// file dialog, or cancelled when no one can answer.
#include <QApplication>
#include <QFileDialog>
#include <cstdio>
#include <filesystem>

#include "rtl/objects/ClassBuilder.h"
#include "vcl/Application.h"
#include "vcl/Automation.h"
#include "vcl/Dialogs.h"

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
    std::error_code ec;
    if ((options_ & ofFileMustExist) != 0 && !std::filesystem::is_regular_file(fileName_, ec)) {
      const std::string missing = fileName_;
      fileName_ = before;
      throw rtl::EInOutError("The file \"" + missing + "\" does not exist");
    }
    return true;
  }
  if (!HasDisplay()) {
    std::fprintf(stderr, "File dialog \"%s\" cancelled: there is no display to show it\n", title_.c_str());
    return false;
  }
  QFileDialog dialog(QApplication::activeWindow(), QString::fromStdString(title_),
                     QString::fromStdString(StartPath(*this)), QtFilter(filter_));
  dialog.setFileMode((options_ & ofFileMustExist) != 0 ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
  fileName_ = dialog.selectedFiles().front().toStdString();
  return true;
}

}  // namespace vcl
