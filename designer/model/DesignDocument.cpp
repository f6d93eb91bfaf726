#include "model/DesignDocument.h"

#include <utility>

#include "model/ComponentNames.h"
#include "rtl/system/Exceptions.h"
#include "rtl/forms/FormFiles.h"
#include "rtl/system/SysUtils.h"

namespace designer {

std::unique_ptr<TDesignDocument> TDesignDocument::Open(const std::string& fileName) {
  std::string text;
  return std::unique_ptr<TDesignDocument>(new TDesignDocument(fileName, text));
}

std::unique_ptr<TDesignDocument> TDesignDocument::CreateNew() {
  return std::unique_ptr<TDesignDocument>(new TDesignDocument());
}

TDesignDocument::TDesignDocument(const std::string& fileName, std::string& text)
    : TDesignModule(fileName, text, nullptr), text_(SavedText().empty() ? std::move(text) : SavedText()) {
  selection_.OnChange = [this] { Notify(dcSelection); };
}

TDesignDocument::TDesignDocument() : text_(SavedText()) {
  selection_.OnChange = [this] { Notify(dcSelection); };
}

TDesignDocument::~TDesignDocument() {
  selection_.OnChange = nullptr;
  selection_.Clear();
}

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
// undo step. A change that leaves the text as saved leaves the module
// unmodified. A module that cannot be written now (a reference the form
// file cannot name) is modified, but what came before can no longer be
// brought back exactly, so the history starts again.
void TDesignDocument::RecordChange(const std::string& label, std::vector<std::string> selectedBefore) {
  try {
    std::string now = rtl::WriteComponentText(Root());
    if (now != text_) {
      if (textKnown_) history_.Record({label, std::move(text_), std::move(selectedBefore), {}});
      lastWasUndo_ = false;
      text_ = std::move(now);
      textKnown_ = true;
    }
  } catch (const rtl::Exception&) {
    history_.Clear();
    textKnown_ = false;
  }
  SetModified(!textKnown_ || text_ != SavedText());
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
  const std::string name = UniqueComponentName(Root(), cls);
  rtl::TComponent* made = nullptr;
  Change("Create " + name, [&] {
    std::unique_ptr<rtl::TObject> object(cls.Create(&Root()));
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
    if (c != &Root()) doomed.push_back(c);
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
      if (c != &Root()) c->SetDesignPosition(c->DesignLeft() + dx, c->DesignTop() + dy);
    Modified();
  });
  Notify(dcPositions);
}

void TDesignDocument::SelectAll() {
  std::vector<rtl::TComponent*> all;
  all.reserve(static_cast<size_t>(Root().ComponentCount()));
  for (int i = 0; i < Root().ComponentCount(); ++i) all.push_back(Root().Components(i));
  selection_.SetItems(all);
}

void TDesignDocument::Saved() { Notify(dcModifiedFlag); }

void TDesignDocument::Undo() {
  if (!textKnown_) return;
  if (auto step = history_.Undo({"", text_, SelectedNames(), {}})) {
    lastWasUndo_ = true;
    broughtBack_ = std::move(step->Texts);
    Restore(step->Text, step->Selected);
  }
}

void TDesignDocument::Redo() {
  if (!textKnown_) return;
  if (auto step = history_.Redo({"", text_, SelectedNames(), {}})) {
    lastWasUndo_ = false;
    broughtBack_ = std::move(step->Texts);
    Restore(step->Text, step->Selected);
  }
}

void TDesignDocument::KeepTexts(std::vector<TKeptText> texts) {
  if (!texts.empty()) history_.KeepTexts(lastWasUndo_, std::move(texts));
}

std::vector<TKeptText> TDesignDocument::TakeTextsBroughtBack() { return std::exchange(broughtBack_, {}); }

// A module's sessions and databases are known to the runtime by name, so
// the old root goes before the new one is read. Should the kept text not
// read (it always has so far), the text before it is read again, and
// failing that an empty module stands in; the error is then raised.
void TDesignDocument::Restore(const std::string& text, const std::vector<std::string>& selected) {
  if (OnRootReplacing) OnRootReplacing();
  selection_.Clear();
  const std::string previous = text_;
  try {
    ReplaceRoot(text);
    text_ = text;
  } catch (const std::exception&) {
    try {
      ReplaceRoot(previous);
    } catch (const std::exception&) {
      text_ = rtl::WriteComponentText(Root());
    }
    history_.Clear();
    SetModified(true);
    Notify(dcModule | dcComponents | dcPositions | dcSelection | dcModifiedFlag);
    throw;
  }
  SetModified(text_ != SavedText());
  std::vector<rtl::TComponent*> again;
  for (const std::string& name : selected)
    if (rtl::TComponent* c = Root().FindComponent(name)) again.push_back(c);
  selection_.SetItems(again);
  Notify(dcModule | dcComponents | dcPositions | dcSelection | dcModifiedFlag);
}

}  // namespace designer
