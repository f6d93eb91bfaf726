#include "window/CodeEditorPanel.h"

#include <Qsci/qscilexersql.h>
#include <Qsci/qsciscintilla.h>

#include <QTabWidget>
#include <algorithm>

#include "rtl/system/SysUtils.h"
#include "vcl/Dialogs.h"
#include "window/Reporting.h"
#include "window/SqlAssist.h"

namespace designer {

namespace {
QsciScintilla* MakeEditor(QWidget* parent, const std::string& fileName) {
  auto* editor = new QsciScintilla(parent);
  editor->setObjectName(QString::fromStdString("Code:" + fileName));
  auto* lexer = new QsciLexerSQL(editor);
  lexer->setFont(QFont("Monospace", 10));
  editor->setLexer(lexer);
  editor->setUtf8(true);
  editor->setMarginType(0, QsciScintilla::NumberMargin);
  editor->setMarginLineNumbers(0, true);
  editor->setMarginWidth(0, "00000");
  editor->setTabWidth(2);
  editor->setAutoIndent(true);
  editor->setBraceMatching(QsciScintilla::SloppyBraceMatch);
  return editor;
}
}  // namespace

TCodeEditorPanel::TCodeEditorPanel(QTabWidget& tabs) : tabs_(tabs), assist_(std::make_unique<TSqlAssist>(tabs)) {
  designide::TModuleServices& services = designide::ModuleServices();
  services.SetListener(this);
  services.SetCloseQuery([this](designide::TModule& module) { return AskClose(module); });
  for (int i = 0; i < services.ModuleCount(); ++i) ModuleOpened(*services.Modules(i));
  QObject::connect(&tabs_, &QTabWidget::tabCloseRequested, &tabs_, [this](int index) {
    designide::TModule* module = ModuleOf(tabs_.widget(index));
    if (module == nullptr) return;
    const std::string name = Caption(module->FileName());
    RunReported("Closing " + name, [&] { module->Close(); });
  });
}

TCodeEditorPanel::~TCodeEditorPanel() {
  designide::TModuleServices& services = designide::ModuleServices();
  while (!open_.empty()) services.CloseModuleNow(open_.back().Module);
  services.SetListener(nullptr);
  services.SetCloseQuery(nullptr);
}

std::string TCodeEditorPanel::Caption(const std::string& fileName) {
  const size_t dot = fileName.find('.');
  if (dot != std::string::npos && rtl::SameText(fileName.substr(0, dot), "dfm")) return fileName.substr(dot + 1);
  return fileName;
}

const TCodeEditorPanel::TTab* TCodeEditorPanel::TabOf(const designide::TModule& module) const {
  auto it = std::find_if(open_.begin(), open_.end(), [&](const TTab& t) { return t.Module == &module; });
  return it == open_.end() ? nullptr : &*it;
}

designide::TModule* TCodeEditorPanel::ModuleOf(const QWidget* page) const {
  auto it = std::find_if(open_.begin(), open_.end(), [&](const TTab& t) { return t.Editor == page; });
  return it == open_.end() ? nullptr : it->Module;
}

QsciScintilla* TCodeEditorPanel::EditorOf(const std::string& fileName) const {
  for (const TTab& tab : open_)
    if (rtl::AnsiSameText(tab.Module->FileName(), fileName)) return tab.Editor;
  return nullptr;
}

void TCodeEditorPanel::ShowModuleText(designide::TModule& module) {
  const TTab* tab = TabOf(module);
  if (tab != nullptr && module.GetModuleFileCount() > 0) ShowText(*tab, module.GetModuleFileEditor(0)->Text());
}

bool TCodeEditorPanel::CloseAll() {
  while (!open_.empty()) {
    designide::TModule* module = open_.back().Module;
    bool closed = false;
    if (!RunReported("Closing " + Caption(module->FileName()), [&] { closed = module->Close(); }) || !closed)
      return false;
  }
  return true;
}

void TCodeEditorPanel::ModuleOpened(designide::TModule& module) {
  QsciScintilla* editor = MakeEditor(&tabs_, module.FileName());
  open_.push_back({&module, editor});
  const TTab& tab = open_.back();
  if (module.GetModuleFileCount() > 0) {
    ShowText(tab, module.GetModuleFileEditor(0)->Text());
  } else {
    editor->setReadOnly(true);
  }
  QObject::connect(editor, &QsciScintilla::textChanged, editor, [this, editor] {
    designide::TModule* typedIn = ModuleOf(editor);
    if (loading_ || typedIn == nullptr || typedIn->GetModuleFileCount() == 0) return;
    typedIn->GetModuleFileEditor(0)->SetText(editor->text().toStdString());
  });
  assist_->Attach(*editor, module.FileName());
  tabs_.addTab(editor, QString::fromStdString(Caption(module.FileName())));
  UpdateCaption(tab);
}

void TCodeEditorPanel::EditorShown(designide::TSourceEditor& editor) {
  const TTab* tab = TabOf(editor.Module());
  if (tab == nullptr) return;
  // A module opened again may hold new text.
  if (!editor.Modified()) ShowText(*tab, editor.Text());
  UpdateCaption(*tab);
  tabs_.setCurrentWidget(tab->Editor);
  tab->Editor->setFocus();
}

void TCodeEditorPanel::ModifiedChanged(designide::TSourceEditor& editor) {
  if (const TTab* tab = TabOf(editor.Module())) UpdateCaption(*tab);
}

void TCodeEditorPanel::TextReloaded(designide::TSourceEditor& editor) {
  if (const TTab* tab = TabOf(editor.Module())) ShowText(*tab, editor.Text());
}

void TCodeEditorPanel::ModuleClosing(designide::TModule& module) {
  auto it = std::find_if(open_.begin(), open_.end(), [&](const TTab& t) { return t.Module == &module; });
  if (it == open_.end()) return;
  QsciScintilla* editor = it->Editor;
  assist_->Detach(*editor);
  open_.erase(it);
  tabs_.removeTab(tabs_.indexOf(editor));
  // The editor may be the one whose signal led here.
  editor->deleteLater();
}

void TCodeEditorPanel::ShowText(const TTab& tab, const std::string& text) {
  const QString wanted = QString::fromStdString(text);
  if (tab.Editor->text() == wanted) return;
  loading_ = true;
  tab.Editor->setText(wanted);
  loading_ = false;
}

// The tab carries a modified mark, "*", while the text holds unsaved edits.
void TCodeEditorPanel::UpdateCaption(const TTab& tab) {
  const bool modified = tab.Module->GetModuleFileCount() > 0 && tab.Module->GetModuleFileEditor(0)->Modified();
  const QString caption = QString::fromStdString(Caption(tab.Module->FileName())) + (modified ? "*" : "");
  tabs_.setTabText(tabs_.indexOf(tab.Editor), caption);
}

designide::TCloseAnswer TCodeEditorPanel::AskClose(designide::TModule& module) {
  switch (vcl::MessageDlg("Save changes to " + Caption(module.FileName()) + "?", vcl::TMsgDlgType::mtConfirmation,
                          vcl::mbYesNoCancel)) {
    case vcl::mrYes:
      return designide::TCloseAnswer::Save;
    case vcl::mrNo:
      return designide::TCloseAnswer::Discard;
    default:
      return designide::TCloseAnswer::Keep;
  }
}

}  // namespace designer
