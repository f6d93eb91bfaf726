#pragma once
// The code editor's module services: text modules that a package opens
// through a creator, each with one source editor, backed by a named file
// system that serves and stores the text.
//
// A package asks for a module with CreateModule, handing over a creator
// that answers what kind of module it is and gives its text; the services
// read what they need during the call and release the creator before it
// returns. Modules are found again by file name (FindModule). The host (the
// designer window, or a test) watches the modules through one listener and
// answers, through the close query, whether a module holding unsaved text
// may be closed.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "rtl/system/SysUtils.h"

namespace designide {

class TModule;
class TSourceEditor;
class IOTAFormEditor;  // modules of this host have no forms

// A file's text as a creator hands it over.
class IOTAFile {
 public:
  virtual ~IOTAFile() = default;
  virtual std::string GetSource() = 0;
  virtual rtl::TDateTime GetAge() = 0;
};

class IOTACreator {
 public:
  virtual ~IOTACreator() = default;
  virtual std::string GetCreatorType() = 0;
  virtual bool GetExisting() = 0;
  // The name of the file system that serves and stores the module's text.
  virtual std::string GetFileSystem() = 0;
  virtual TModule* GetOwner() = 0;
  virtual bool GetUnnamed() = 0;
};

class IOTAModuleCreator : public IOTACreator {
 public:
  virtual std::string GetAncestorName() = 0;
  // The module's file name, under which FindModule finds it.
  virtual std::string GetImplFileName() = 0;
  virtual std::string GetIntfFileName() = 0;
  virtual std::string GetFormName() = 0;
  virtual bool GetMainForm() = 0;
  virtual bool GetShowForm() = 0;
  virtual bool GetShowSource() = 0;
  virtual std::unique_ptr<IOTAFile> NewFormFile(const std::string& formIdent, const std::string& ancestorIdent) = 0;
  // The module's text; null gives a module without a source file.
  virtual std::unique_ptr<IOTAFile> NewImplSource(const std::string& moduleIdent, const std::string& formIdent,
                                                  const std::string& ancestorIdent) = 0;
  virtual std::unique_ptr<IOTAFile> NewIntfSource(const std::string& moduleIdent, const std::string& formIdent,
                                                  const std::string& ancestorIdent) = 0;
  virtual void FormCreated(IOTAFormEditor* formEditor) = 0;
};

// Where a module's text lives: the services read it back to see whether it
// changed outside the editor, and write the editor's text into it on save.
class TOTAFileSystem {
 public:
  virtual ~TOTAFileSystem() = default;
  virtual std::string Name() const = 0;
  // The text stored under the file name now; false when it stores none
  // (yet).
  virtual bool ReadText(const std::string& fileName, std::string& text) = 0;
  // Stores the text; raises (and stores nothing) when it cannot.
  virtual void WriteText(const std::string& fileName, const std::string& text) = 0;
  // The module of that name was closed: whatever ties it to storage goes.
  virtual void ModuleClosed(const std::string& fileName) = 0;
};

// What the host answers when a module holding unsaved text is to be closed.
enum class TCloseAnswer { Save, Discard, Keep };

// The host's view of the modules (the designer window shows them as tabs).
class IModuleListener {
 public:
  virtual ~IModuleListener() = default;
  virtual void ModuleOpened(TModule&) {}
  virtual void EditorShown(TSourceEditor&) {}
  // The editor's modified mark was set or cleared.
  virtual void ModifiedChanged(TSourceEditor&) {}
  // The text was replaced from the file system (it changed there).
  virtual void TextReloaded(TSourceEditor&) {}
  // The module is about to be freed.
  virtual void ModuleClosing(TModule&) {}
};

// The one source file of a text module, as the code editor shows it.
class TSourceEditor {
 public:
  TSourceEditor(TModule& module, std::string text);
  TSourceEditor(const TSourceEditor&) = delete;
  TSourceEditor& operator=(const TSourceEditor&) = delete;

  TModule& Module() const { return module_; }
  const std::string& FileName() const;
  // The text; while it holds no edits of its own it is first brought up to
  // date with the file system.
  const std::string& Text();
  // A person's edit: replaces the text and marks the editor modified.
  void SetText(std::string text);
  bool Modified() const { return modified_; }
  void MarkModified();
  // Brings the editor to the front.
  void Show();

 private:
  friend class TModule;
  void SetModified(bool modified);

  TModule& module_;
  std::string text_;
  bool modified_ = false;
};

class TModuleServices;

class TModule {
 public:
  TModule(TModuleServices& services, std::string fileName, TOTAFileSystem& fileSystem);
  ~TModule();
  TModule(const TModule&) = delete;
  TModule& operator=(const TModule&) = delete;

  const std::string& FileName() const { return fileName_; }
  TOTAFileSystem& FileSystem() const { return fileSystem_; }
  int GetModuleFileCount() const { return editor_ ? 1 : 0; }
  // Raises EListError for an index other than those of its files.
  TSourceEditor* GetModuleFileEditor(int index) const;
  // Writes the editor's text through the file system and clears the
  // modified mark. Raises what the file system raises; the mark stays then.
  void Save();
  // Closes and frees the module. A module holding unsaved text asks the
  // host first (the close query): Save saves, then closes; Discard closes;
  // Keep (or no host to ask) leaves it open and returns false.
  bool Close();
  // Reloads the text from the file system when it changed there; an editor
  // holding unsaved text keeps it. True when the text was replaced.
  bool Refresh();

 private:
  friend class TModuleServices;
  friend class TSourceEditor;
  void SetSource(std::string text);
  TModuleServices& services_;
  std::string fileName_;
  TOTAFileSystem& fileSystem_;
  std::unique_ptr<TSourceEditor> editor_;
  std::string storedText_;  // the file system's text as last read or written
};

class TModuleServices {
 public:
  TModuleServices();
  ~TModuleServices();
  TModuleServices(const TModuleServices&) = delete;
  TModuleServices& operator=(const TModuleServices&) = delete;

  // Opens the module the creator describes and releases the creator. A
  // module of the same file name that is already open is reused: it takes
  // the new text (asking first, as Close does, when it holds unsaved text).
  // Raises EComponentError for an empty file name or an unknown file system.
  TModule* CreateModule(std::unique_ptr<IOTAModuleCreator> creator);
  // The open module of that file name (ignoring case), or null.
  TModule* FindModule(const std::string& fileName) const;
  int ModuleCount() const { return static_cast<int>(modules_.size()); }
  TModule* Modules(int index) const;
  // The editor brought to the front last, or null.
  TSourceEditor* ShownEditor() const { return shown_; }
  // Reloads every module whose text changed in its file system.
  void CheckFileAges();
  // Closes a module without asking (its property or file went away).
  void CloseModuleNow(TModule* module);
  // Closes every module without asking (the host shuts down).
  void CloseAll();

  void RegisterFileSystem(std::unique_ptr<TOTAFileSystem> fileSystem);
  // Closes the modules it serves without asking, then drops it.
  void UnregisterFileSystem(const std::string& name);
  TOTAFileSystem* FindFileSystem(const std::string& name) const;

  void SetListener(IModuleListener* listener) { listener_ = listener; }
  IModuleListener* Listener() const { return listener_; }
  void SetCloseQuery(std::function<TCloseAnswer(TModule&)> query) { closeQuery_ = std::move(query); }

 private:
  friend class TModule;
  friend class TSourceEditor;
  TCloseAnswer AskClose(TModule& module) const;
  void Free(TModule* module);

  std::vector<std::unique_ptr<TModule>> modules_;
  std::vector<std::unique_ptr<TOTAFileSystem>> fileSystems_;
  IModuleListener* listener_ = nullptr;
  std::function<TCloseAnswer(TModule&)> closeQuery_;
  TSourceEditor* shown_ = nullptr;
};

// The IDE's module services, one per process.
TModuleServices& ModuleServices();

}  // namespace designide
