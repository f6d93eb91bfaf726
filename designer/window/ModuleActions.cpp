// What a person does in the module view: create from the palette, run a
// component editor's verb or its Edit, move, delete, undo and redo. Every
// editor call is one undoable change named after what the person chose.
#include <QAction>
#include <QMenu>
#include <QStatusBar>
#include <utility>

#include "designide/StringsModules.h"
#include "model/ComponentVerbs.h"
#include "rtl/text/Strings.h"
#include "vcl/Dialogs.h"
#include "window/CodeEditorPanel.h"
#include "window/CodeTabsAcrossUndo.h"
#include "window/ComponentMenu.h"
#include "window/MainWindow.h"
#include "window/ModuleView.h"
#include "window/PalettePanel.h"
#include "window/Reporting.h"

namespace designer {

namespace {
// The published string-list properties of a component, in their order.
std::vector<std::string> StringListProperties(const rtl::TComponent& component) {
  std::vector<std::string> names;
  for (const rtl::TPropInfo* prop : component.ClassType().Properties()) {
    const rtl::TClass* type = prop->Type != nullptr ? prop->Type->ClassType : nullptr;
    if (prop->GetObj && type != nullptr && type->InheritsFrom(rtl::TStrings::StaticClass())) names.push_back(prop->Name);
  }
  return names;
}

std::string JoinNames(const std::vector<std::string>& names) {
  std::string joined;
  for (const std::string& name : names) joined += (joined.empty() ? "" : ", ") + name;
  return joined;
}

// "&Generate SQL..." -> "Generate SQL": a verb caption as an undo label.
std::string PlainCaption(const std::string& caption) {
  std::string plain;
  for (size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size() && caption[i + 1] != '&') continue;
    plain += caption[i];
  }
  while (!plain.empty() && (plain.back() == '.' || plain.back() == ' ')) plain.pop_back();
  return plain;
}
}  // namespace

void TMainWindow::WireModuleView() {
  moduleView_->WantsCreate = [this] { return palette_->ChosenClass() != nullptr; };
  moduleView_->OnCreateAt = [this](QPoint at) { CreateAt(at); };
  moduleView_->OnMove = [this](int dx, int dy) {
    if (document_ != nullptr) RunReported("Moving the components", [&] { document_->MoveSelected(dx, dy); });
  };
  moduleView_->OnDoubleClick = [this](rtl::TComponent& component) { EditComponent(component); };
  moduleView_->OnContextMenu = [this](rtl::TComponent* component, QPoint at) { ShowContextMenu(component, at); };
  moduleView_->OnDelete = [this] { DeleteSelection(); };
}

void TMainWindow::CreateAt(QPoint at) {
  const rtl::TClass* cls = palette_->ChosenClass();
  palette_->ClearChoice();
  if (document_ == nullptr || cls == nullptr) return;
  RunReported("Creating a " + cls->ClassName(), [&] { document_->CreateComponent(*cls, at.x(), at.y()); });
}

void TMainWindow::RunVerb(rtl::TComponent& component, int index, const std::string& caption) {
  const std::string name = component.Name();
  const std::string label = PlainCaption(caption);
  statusBar()->showMessage(QString::fromStdString(label + " on " + name));
  RunReported("\"" + label + "\" on " + name, [&] {
    document_->Change(label + " " + name, [&] { ExecuteComponentVerb(component, *document_, index); });
  });
  statusBar()->clearMessage();
}

void TMainWindow::EditComponent(rtl::TComponent& component) {
  if (document_ == nullptr) return;
  const std::string name = component.Name();
  RunReported("The editor of " + name, [&] {
    document_->Change("Edit " + name, [&] { designer::EditComponent(component, *document_); });
  });
}

void TMainWindow::ShowContextMenu(rtl::TComponent* component, QPoint globalPos) {
  if (document_ == nullptr) return;
  std::vector<TVerb> verbs;
  std::string name;
  if (component != nullptr && document_->Selection().Count() == 1) {
    name = component->Name();
    RunReported("Asking the editor of " + name + " for its verbs",
                [&] { verbs = ComponentVerbs(*component, *document_); });
  }
  // The component is looked up again when a verb is chosen: the menu does
  // not hold on to it.
  auto runVerb = [this, name, verbs](int index) {
    rtl::TComponent* target = document_ != nullptr ? document_->Root().FindComponent(name) : nullptr;
    if (target == nullptr) return;
    for (const TVerb& verb : verbs)
      if (verb.Index == index) RunVerb(*target, index, verb.Caption);
  };
  QMenu* menu =
      BuildComponentMenu(this, verbs, runVerb, {Action("actionDelete"), Action("actionSelectAll")});
  // Every string list of the component, to edit in the code editor.
  std::vector<std::string> lists;
  if (component != nullptr && !name.empty()) lists = StringListProperties(*component);
  if (!lists.empty()) {
    QMenu* code = menu->addMenu("Open in &Code Editor");
    code->setObjectName("CodeEditorMenu");
    for (const std::string& property : lists) {
      QAction* action = code->addAction(QString::fromStdString(property));
      QObject::connect(action, &QAction::triggered, this, [this, name, property] { OpenInCodeEditor(name, property); });
    }
  }
  menu->popup(globalPos);
}

void TMainWindow::OpenInCodeEditor(const std::string& name, const std::string& property) {
  rtl::TComponent* component = document_ != nullptr ? document_->Root().FindComponent(name) : nullptr;
  if (component == nullptr) return;
  RunReported("Opening " + name + "." + property + " in the code editor", [&] {
    if (designide::TModule* open = designide::FindStringsModule(*document_, *component, property))
      open->GetModuleFileEditor(0)->Show();
    else
      designide::OpenStringsModule(*document_, *component, property);
  });
}

// Freeing a component closes the code tabs of its string lists: unsaved
// text there is dropped only when the person agrees, and undoing the delete
// brings it back.
void TMainWindow::DeleteSelection() {
  if (document_ == nullptr || document_->Selection().Empty()) return;
  TCodeTabsAcrossUndo tabs(*codeEditor_, *centre_);
  std::vector<std::string> doomed;
  for (rtl::TComponent* c : document_->Selection().Items())
    if (c != &document_->Root()) doomed.push_back(c->Name());
  const std::vector<std::string> unsaved = tabs.UnsavedOn(doomed);
  if (!unsaved.empty() &&
      vcl::MessageDlg(JoinNames(unsaved) + " holds unsaved text, which goes with the component. Delete it? "
                                           "Undo brings the component back with the text.",
                      vcl::TMsgDlgType::mtConfirmation, vcl::mbYes | vcl::mbNo) != vcl::mrYes)
    return;
  if (RunReported("Deleting the selected components", [&] { document_->DeleteSelected(); }))
    document_->KeepTexts(tabs.LostTexts(*document_));
}

void TMainWindow::UndoChange() {
  if (document_ == nullptr || !document_->CanUndo()) return;
  StepHistory("Undoing " + document_->UndoLabel(), [this] { document_->Undo(); }, [this] { document_->Redo(); });
}

void TMainWindow::RedoChange() {
  if (document_ == nullptr || !document_->CanRedo()) return;
  StepHistory("Redoing " + document_->RedoLabel(), [this] { document_->Redo(); }, [this] { document_->Undo(); });
}

// The step makes the components anew; the code tabs come back on the new
// ones, and unsaved text is dropped only when the person agrees.
void TMainWindow::StepHistory(const std::string& what, const std::function<void()>& step,
                              const std::function<void()>& back) {
  TCodeTabsAcrossUndo tabs(*codeEditor_, *centre_);
  const bool stepped = RunReported(what, [&] {
    TBusyScope busy(statusBar(), what + " ...");
    step();
  });
  std::vector<TKeptText> broughtBack = document_->TakeTextsBroughtBack();
  const std::vector<std::string> lost = tabs.LostEdits(*document_);
  if (stepped && !lost.empty()) {
    if (vcl::MessageDlg(JoinNames(lost) + " holds unsaved text, and its property is gone after this step. Drop the "
                                          "text? Taking the step back brings it back.",
                        vcl::TMsgDlgType::mtConfirmation, vcl::mbYes | vcl::mbNo) != vcl::mrYes) {
      RunReported(what + " back", back);
      // What the step brought back stays kept for the next time.
      document_->KeepTexts(std::exchange(broughtBack, document_->TakeTextsBroughtBack()));
    } else {
      document_->KeepTexts(tabs.LostTexts(*document_));
    }
  }
  tabs.Reopen(*document_, broughtBack);
}

}  // namespace designer
