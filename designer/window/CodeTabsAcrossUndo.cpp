#include "window/CodeTabsAcrossUndo.h"

#include <Qsci/qsciscintilla.h>

#include <QTabWidget>
#include <algorithm>

#include "designide/StFilSys.h"
#include "designide/ToolsAPI.h"
#include "model/DesignDocument.h"
#include "designide/StringsModules.h"
#include "rtl/text/Strings.h"
#include "window/CodeEditorPanel.h"
#include "window/Reporting.h"

namespace designer {

TCodeTabsAcrossUndo::TCodeTabsAcrossUndo(TCodeEditorPanel& panel, QTabWidget& tabs) : panel_(panel), tabs_(tabs) {
  designide::TStringsFileSystem* files = designide::StFilSys::StringsFileSystem();
  frontPage_ = tabs_.currentWidget();
  if (files == nullptr) return;
  for (int i = 0; i < tabs_.count(); ++i) {
    designide::TModule* module = panel_.ModuleOf(tabs_.widget(i));
    if (module == nullptr || module->GetModuleFileCount() == 0) continue;
    designide::TStringsPropertyFile* file = files->Find(module->FileName());
    if (file == nullptr) continue;
    TTab tab;
    tab.FileName = module->FileName();
    tab.Component = file->Component().Name();
    tab.Property = file->PropertyName();
    designide::TSourceEditor& source = *module->GetModuleFileEditor(0);
    tab.Modified = source.Modified();
    if (tab.Modified) tab.Text = source.Text();
    static_cast<QsciScintilla*>(tabs_.widget(i))->getCursorPosition(&tab.Line, &tab.Index);
    if (tabs_.currentIndex() == i) {
      front_ = tab.FileName;
      frontPage_ = nullptr;
    }
    open_.push_back(std::move(tab));
  }
}

bool TCodeTabsAcrossUndo::Exists(TDesignDocument& document, const std::string& component,
                                 const std::string& property) {
  rtl::TComponent* found = document.Root().FindComponent(component);
  if (found == nullptr) return false;
  const rtl::TPropInfo* prop = found->ClassType().FindProperty(property);
  return prop != nullptr && prop->GetObj && dynamic_cast<rtl::TStrings*>(prop->GetObj(*found)) != nullptr;
}

std::vector<std::string> TCodeTabsAcrossUndo::LostEdits(TDesignDocument& document) const {
  std::vector<std::string> lost;
  for (const TTab& tab : open_)
    if (tab.Modified && !Exists(document, tab.Component, tab.Property))
      lost.push_back(TCodeEditorPanel::Caption(tab.FileName));
  return lost;
}

std::vector<TKeptText> TCodeTabsAcrossUndo::LostTexts(TDesignDocument& document) const {
  std::vector<TKeptText> lost;
  for (const TTab& tab : open_)
    if (tab.Modified && !Exists(document, tab.Component, tab.Property))
      lost.push_back({tab.Component, tab.Property, tab.Text});
  return lost;
}

std::vector<std::string> TCodeTabsAcrossUndo::UnsavedOn(const std::vector<std::string>& components) const {
  std::vector<std::string> unsaved;
  for (const TTab& tab : open_)
    if (tab.Modified && std::find(components.begin(), components.end(), tab.Component) != components.end())
      unsaved.push_back(TCodeEditorPanel::Caption(tab.FileName));
  return unsaved;
}

void TCodeTabsAcrossUndo::Open(TDesignDocument& document, const TTab& tab) {
  rtl::TComponent& component = *document.Root().FindComponent(tab.Component);
  RunReported("Opening " + tab.Component + "." + tab.Property + " again", [&] {
    designide::TModule& module = designide::OpenStringsModule(document, component, tab.Property);
    if (tab.Modified) module.GetModuleFileEditor(0)->SetText(tab.Text);
    if (QsciScintilla* editor = panel_.EditorOf(module.FileName())) {
      panel_.ShowModuleText(module);
      editor->setCursorPosition(tab.Line, tab.Index);
    }
  });
}

void TCodeTabsAcrossUndo::Reopen(TDesignDocument& document, const std::vector<TKeptText>& broughtBack) {
  for (const TTab& tab : open_)
    if (Exists(document, tab.Component, tab.Property)) Open(document, tab);
  for (const TKeptText& kept : broughtBack) {
    if (!Exists(document, kept.Component, kept.Property)) continue;
    TTab tab;
    tab.Component = kept.Component;
    tab.Property = kept.Property;
    tab.Modified = true;
    tab.Text = kept.Text;
    Open(document, tab);
  }
  if (!front_.empty()) {
    if (QsciScintilla* editor = panel_.EditorOf(front_)) tabs_.setCurrentWidget(editor);
  } else if (frontPage_ != nullptr && tabs_.indexOf(frontPage_) >= 0) {
    tabs_.setCurrentWidget(frontPage_);
  }
}

}  // namespace designer
