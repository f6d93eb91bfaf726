#include "model/DesignDocument.h"

#include <filesystem>

#include "dralvo/Hooks.h"
#include "model/ComponentNames.h"
#include "rtl/system/Exceptions.h"
#include "rtl/forms/FormFiles.h"
#include "rtl/system/SysUtils.h"

namespace designer {

namespace {
constexpr const char* kUntitled = "Untitled.dfm";

std::unique_ptr<rtl::TComponent> NewRoot() {
  std::unique_ptr<rtl::TComponent> root(
      static_cast<rtl::TComponent*>(rtl::GetClass("TDataModule").Create(nullptr)));
  root->SetDesigning(true);
  root->SetName("DataModule1");
  return root;
}
}  // namespace

std::unique_ptr<TDesignDocument> TDesignDocument::Open(const std::string& fileName) {
  const std::string path = std::filesystem::absolute(fileName).lexically_normal().string();
  rtl::TFileStamp stamp;
  std::string text = rtl::ReadFileToString(path, stamp);
  auto root = ReadModule(text, path, rtl::ExtractFilePath(path));
  std::unique_ptr<TDesignDocument> document(new TDesignDocument(std::move(root), path, std::move(text)));
  document->stamp_ = stamp;
  return document;
}

std::unique_ptr<TDesignDocument> TDesignDocument::CreateNew() {
  auto root = NewRoot();
  std::string text = rtl::WriteComponentText(*root);
  return std::unique_ptr<TDesignDocument>(new TDesignDocument(std::move(root), "", std::move(text)));
}

TDesignDocument::TDesignDocument(std::unique_ptr<rtl::TComponent> root, std::string fileName, std::string text)
    : root_(std::move(root)), fileName_(std::move(fileName)), text_(std::move(text)), savedText_(text_) {
  selection_.OnChange = [this] { Notify(dcSelection); };
  designide::SetRootDesigner(root_.get(), this);
}

TDesignDocument::~TDesignDocument() {
  selection_.OnChange = nullptr;
  FreeRoot();
}

std::unique_ptr<rtl::TComponent> TDesignDocument::ReadModule(const std::string& text, const std::string& source,
                                                             const std::string& folder) {
  rtl::TFormReadOptions options;
  options.Designing = true;
  // Relative database files are taken from the module's folder, already
  // while the components are loaded.
  if (!folder.empty())
    options.OnRootCreated = [folder](rtl::TComponent& root) { dralvo::SetModuleFolder(&root, folder); };
  return rtl::ReadComponentText(text, source, options);
}

void TDesignDocument::FreeRoot() noexcept {
  if (root_ == nullptr) return;
  designide::SetRootDesigner(root_.get(), nullptr);
  dralvo::SetModuleFolder(root_.get(), "");
  root_.reset();
}

std::string TDesignDocument::DisplayName() const {
  return fileName_.empty() ? std::string(kUntitled) : rtl::ExtractFileName(fileName_);
}

std::string TDesignDocument::Folder() const { return fileName_.empty() ? std::string() : rtl::ExtractFilePath(fileName_); }

void TDesignDocument::Notify(unsigned changes) {
  if (OnChange) OnChange(changes);
}

void TDesignDocument::Modified() {
  if (actionDepth_ > 0) {
    actionModified_ = true;
    return;
  }
  RecordChange("Change", SelectedNames());
}

std::vector<std::string> TDesignDocument::SelectedNames() const {
  std::vector<std::string> names;
  for (rtl::TComponent* c : selection_.Items()) names.push_back(c->Name());
  return names;
}

// The module's text is taken after every change; the text before it is the
// undo step. A module that cannot be written now (a reference the form
// file cannot name) is still modified, but what came before can no longer
// be brought back exactly, so the history starts again.
void TDesignDocument::RecordChange(const std::string& label, std::vector<std::string> selectedBefore) {
  modified_ = true;
  try {
    std::string now = rtl::WriteComponentText(*root_);
    if (now != text_) {
      if (textKnown_) history_.Record({label, std::move(text_), std::move(selectedBefore)});
      text_ = std::move(now);
      textKnown_ = true;
    }
  } catch (const rtl::Exception&) {
    history_.Clear();
    textKnown_ = false;
  }
  Notify(dcModifiedFlag | dcComponents);
}

void TDesignDocument::Change(const std::string& label, const std::function<void()>& work) {
  const bool outermost = actionDepth_ == 0;
  if (outermost) {
    actionModified_ = false;
    actionSelection_ = SelectedNames();
  }
  ++actionDepth_;
  auto finish = [&] {
    --actionDepth_;
    if (outermost && actionModified_) {
      actionModified_ = false;
      RecordChange(label, std::move(actionSelection_));
    }
  };
  try {
    work();
  } catch (...) {
    finish();
    throw;
  }
  finish();
}

rtl::TComponent& TDesignDocument::CreateComponent(const rtl::TClass& cls, int left, int top) {
  if (!cls.InheritsFrom(rtl::TComponent::StaticClass()))
    throw rtl::EComponentError(cls.ClassName() + " is not a component class");
  const std::string name = UniqueComponentName(*root_, cls);
  rtl::TComponent* made = nullptr;
  Change("Create " + name, [&] {
    std::unique_ptr<rtl::TObject> object(cls.Create(root_.get()));
    auto* component = static_cast<rtl::TComponent*>(object.get());
    component->SetDesigning(true);
    component->SetName(name);
    component->SetDesignPosition(left, top);
    made = static_cast<rtl::TComponent*>(object.release());
    Modified();
  });
  selection_.Select(made);
  return *made;
}

void TDesignDocument::DeleteSelected() {
  std::vector<rtl::TComponent*> doomed;
  for (rtl::TComponent* c : selection_.Items())
    if (c != root_.get()) doomed.push_back(c);
  if (doomed.empty()) return;
  const std::string label = doomed.size() == 1 ? "Delete " + doomed.front()->Name()
                                               : "Delete " + std::to_string(doomed.size()) + " components";
  Change(label, [&] {
    // Each one leaves the selection as it is freed.
    for (rtl::TComponent* c : doomed) delete c;
    Modified();
  });
}

void TDesignDocument::MoveSelected(int dx, int dy) {
  if ((dx == 0 && dy == 0) || selection_.Empty()) return;
  Change("Move", [&] {
    for (rtl::TComponent* c : selection_.Items())
      if (c != root_.get()) c->SetDesignPosition(c->DesignLeft() + dx, c->DesignTop() + dy);
    Modified();
  });
  Notify(dcPositions);
}

void TDesignDocument::SelectAll() {
  std::vector<rtl::TComponent*> all;
  all.reserve(static_cast<size_t>(root_->ComponentCount()));
  for (int i = 0; i < root_->ComponentCount(); ++i) all.push_back(root_->Components(i));
  selection_.SetItems(all);
}

void TDesignDocument::Save(bool overwrite) {
  if (fileName_.empty()) throw rtl::Exception("The module has no file name yet: save it under a name first");
  stamp_ = rtl::WriteComponentFile(fileName_, *root_, overwrite ? rtl::TFileStamp{} : stamp_);
  // What is on disk now is the text of the module as it stands.
  savedText_ = textKnown_ ? text_ : rtl::WriteComponentText(*root_);
  modified_ = false;
  Notify(dcModifiedFlag);
}

void TDesignDocument::SaveAs(const std::string& fileName) {
  const std::string path = std::filesystem::absolute(fileName).lexically_normal().string();
  stamp_ = rtl::WriteComponentFile(path, *root_);
  fileName_ = path;
  dralvo::SetModuleFolder(root_.get(), rtl::ExtractFilePath(path));
  savedText_ = textKnown_ ? text_ : rtl::WriteComponentText(*root_);
  modified_ = false;
  Notify(dcModifiedFlag);
}

void TDesignDocument::Undo() {
  if (!textKnown_) return;
  if (auto step = history_.Undo({"", text_, SelectedNames()})) Restore(step->Text, step->Selected);
}

void TDesignDocument::Redo() {
  if (!textKnown_) return;
  if (auto step = history_.Redo({"", text_, SelectedNames()})) Restore(step->Text, step->Selected);
}

// A module's sessions and databases are known to the runtime by name, so
// the old root goes before the new one is read. Should the kept text not
// read (it always has so far), the text before it is read again, and
// failing that an empty module stands in; the error is then raised.
void TDesignDocument::Restore(const std::string& text, const std::vector<std::string>& selected) {
  if (OnRootReplacing) OnRootReplacing();
  selection_.Clear();
  const std::string source = fileName_.empty() ? std::string(kUntitled) : fileName_;
  const std::string previous = text_;
  FreeRoot();
  try {
    root_ = ReadModule(text, source, Folder());
    text_ = text;
    designide::SetRootDesigner(root_.get(), this);
  } catch (const std::exception&) {
    try {
      root_ = ReadModule(previous, source, Folder());
    } catch (const std::exception&) {
      root_ = NewRoot();
      text_ = rtl::WriteComponentText(*root_);
    }
    designide::SetRootDesigner(root_.get(), this);
    history_.Clear();
    modified_ = true;
    Notify(dcModule | dcComponents | dcPositions | dcSelection | dcModifiedFlag);
    throw;
  }
  modified_ = text_ != savedText_;
  std::vector<rtl::TComponent*> again;
  for (const std::string& name : selected)
    if (rtl::TComponent* c = root_->FindComponent(name)) again.push_back(c);
  selection_.SetItems(again);
  Notify(dcModule | dcComponents | dcPositions | dcSelection | dcModifiedFlag);
}

}  // namespace designer
