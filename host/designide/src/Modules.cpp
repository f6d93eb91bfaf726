// Text modules and their source editors.
#include "designide/ToolsAPI.h"

#include "rtl/system/Exceptions.h"

namespace designide {

// --- TSourceEditor -------------------------------------------------------------

TSourceEditor::TSourceEditor(TModule& module, std::string text) : module_(module), text_(std::move(text)) {}

const std::string& TSourceEditor::FileName() const { return module_.FileName(); }

const std::string& TSourceEditor::Text() {
  if (!modified_) module_.Refresh();
  return text_;
}

void TSourceEditor::SetText(std::string text) {
  text_ = std::move(text);
  SetModified(true);
}

void TSourceEditor::MarkModified() { SetModified(true); }

void TSourceEditor::SetModified(bool modified) {
  if (modified_ == modified) return;
  modified_ = modified;
  if (IModuleListener* l = module_.services_.Listener()) l->ModifiedChanged(*this);
}

void TSourceEditor::Show() {
  module_.services_.shown_ = this;
  if (IModuleListener* l = module_.services_.Listener()) l->EditorShown(*this);
}

// --- TModule ---------------------------------------------------------------------

TModule::TModule(TModuleServices& services, std::string fileName, TOTAFileSystem& fileSystem)
    : services_(services), fileName_(std::move(fileName)), fileSystem_(fileSystem) {}

TModule::~TModule() = default;

TSourceEditor* TModule::GetModuleFileEditor(int index) const {
  if (index < 0 || index >= GetModuleFileCount())
    throw rtl::EListError("Module " + fileName_ + " has no file " + std::to_string(index));
  return editor_.get();
}

void TModule::SetSource(std::string text) {
  storedText_ = text;
  if (editor_) {
    editor_->text_ = std::move(text);
    editor_->SetModified(false);
  } else {
    editor_ = std::make_unique<TSourceEditor>(*this, std::move(text));
  }
}

void TModule::Save() {
  if (!editor_) return;
  fileSystem_.WriteText(fileName_, editor_->text_);
  // What the file system holds now may differ from what was written (a
  // list gives back its lines), so it is read back as the stored state.
  if (!fileSystem_.ReadText(fileName_, storedText_)) storedText_ = editor_->text_;
  editor_->SetModified(false);
}

bool TModule::Close() {
  if (editor_ && editor_->Modified()) {
    switch (services_.AskClose(*this)) {
      case TCloseAnswer::Keep:
        return false;
      case TCloseAnswer::Save:
        Save();
        break;
      case TCloseAnswer::Discard:
        break;
    }
  }
  services_.Free(this);
  return true;
}

bool TModule::Refresh() {
  std::string now;
  if (!fileSystem_.ReadText(fileName_, now) || now == storedText_) return false;
  storedText_ = std::move(now);
  if (!editor_ || editor_->Modified()) return false;
  editor_->text_ = storedText_;
  if (IModuleListener* l = services_.Listener()) l->TextReloaded(*editor_);
  return true;
}

}  // namespace designide
