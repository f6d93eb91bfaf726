#pragma once
// One data module being designed, the core the window and every command
// share: the module read from its file as a designer reads it, the designer
// interface the package's editors report to (registered for the root, so
// that editors reached from any component find it), the stamp of the file
// as read or last saved, and saving back in one rename.
//
// The window's document adds its selection and undo history over it
// (model/DesignDocument); a command uses it as it is.
#include <memory>
#include <string>

#include "core/DesignPackage.h"
#include "designide/Designer.h"
#include "rtl/files/FileStamp.h"
#include "rtl/objects/Component.h"

namespace rtl {
class TFormPositions;
}

namespace designer {

class TDesignModule : public designide::IDesigner {
 public:
  // Reads a module file for design: every component marked as designed,
  // relative database files taken from the module's folder already while
  // the components load, and a root that is not a data module refused
  // naming its class. Raises EFormFileError naming file, line and column,
  // EFOpenError, or rtl::Exception for a root of another class; nothing
  // stays alive then. `package`, when given, is the package the module was
  // opened with (a command's): it is unloaded after the module is freed.
  // `positions`, when given, is filled with where the module's objects and
  // string lists stand in the file (a checker points its findings there).
  static std::unique_ptr<TDesignModule> Open(const std::string& fileName,
                                             std::unique_ptr<TDesignPackage> package = nullptr,
                                             rtl::TFormPositions* positions = nullptr);
  ~TDesignModule() override;
  TDesignModule(const TDesignModule&) = delete;
  TDesignModule& operator=(const TDesignModule&) = delete;

  rtl::TComponent& Root() const { return *root_; }
  // Absolute path; empty while the module is untitled.
  const std::string& FileName() const { return fileName_; }
  // The file's name without its folder ("Untitled.dfm" while untitled).
  std::string DisplayName() const;
  // Whether an editor reported a change (Modified) since the module was
  // read or last saved.
  bool IsModified() const { return modified_; }
  // Whether an editor reported a change and the module now differs from the
  // file as read or last saved: a change reported may in the end have
  // changed nothing (a drop onto the session a database is already under, a
  // property set to the value it has, a dialog accepted as it was). Compares
  // the module's text.
  bool HasChanges() const;

  // --- IDesigner ------------------------------------------------------------
  // Marks the module modified.
  void Modified() override { modified_ = true; }
  rtl::TComponent* GetRoot() override { return root_.get(); }

  // --- Saving ---------------------------------------------------------------
  // Writes the module to its file in one rename when it HasChanges, and
  // returns true; otherwise leaves the file (its inode and its time) alone,
  // clears the modified mark and returns false. A failure raises and leaves
  // the file as it was and the module modified. Raises when untitled, and
  // rtl::EFileChangedError when another program saved the file since it was
  // read or last saved here (unless `overwrite`: a person chose to replace
  // that file by the module, which is then written whatever it holds).
  bool Save(bool overwrite = false);
  // Saves under another name, which the module keeps from then on; relative
  // database files are then taken from the new folder.
  void SaveAs(const std::string& fileName);

 protected:
  // Reads the file as Open does and hands back the text read.
  TDesignModule(const std::string& fileName, std::string& textRead, std::unique_ptr<TDesignPackage> package,
                rtl::TFormPositions* positions = nullptr);
  // A new, empty, untitled data module.
  TDesignModule();

  void SetModified(bool modified) { modified_ = modified; }
  // The module's text as read or last saved, in the layout the module is
  // written in; empty when the module as read could not be written.
  const std::string& SavedText() const { return savedText_; }
  // Frees the root and reads `text` as the module anew (undo, redo); a
  // module's sessions and databases are known to the runtime by name, so
  // the old root goes first. On failure the error is raised and a new,
  // empty data module stands in.
  void ReplaceRoot(const std::string& text);
  // Told after every successful save.
  virtual void Saved() {}

 private:
  void SetRoot(std::unique_ptr<rtl::TComponent> root);
  void FreeRoot() noexcept;
  // Whether `text` differs from the module as read or last saved.
  bool Differs(const std::string& text) const;
  // Writes `text` to `path` in one rename, as the file as now saved.
  void Write(const std::string& path, const std::string& text, const rtl::TFileStamp& read);

  std::unique_ptr<TDesignPackage> package_;  // freed after the module
  std::unique_ptr<rtl::TComponent> root_;
  std::string fileName_;
  rtl::TFileStamp stamp_;  // the file as read or last saved
  std::string savedText_;  // see SavedText
  bool modified_ = false;
};

// What a save that found nothing to write says: "Nothing changed; FILE was
// left as it was".
std::string NothingChanged(const std::string& fileName);

}  // namespace designer
