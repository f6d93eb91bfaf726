#pragma once
// What the code editor is handed when a string list is opened: a creator
// that describes a text module of the strings file system and gives its
// text, and the file object carrying that text.
#include <memory>
#include <string>

#include "designide/ToolsAPI.h"
#include "rtl/files/Streams.h"

namespace dv {

class TStringsModuleCreator : public designide::IOTAModuleCreator {
 public:
  // Takes ownership of the stream.
  TStringsModuleCreator(std::string FileName, std::unique_ptr<rtl::TStringStream> Stream, rtl::TDateTime Age);

  std::string GetCreatorType() override { return "Text"; }
  bool GetExisting() override { return true; }
  std::string GetFileSystem() override { return "Delphi.TStringsFileSystem"; }
  designide::TModule* GetOwner() override { return nullptr; }
  bool GetUnnamed() override { return false; }
  std::string GetAncestorName() override { return {}; }
  std::string GetImplFileName() override { return FFileName; }
  std::string GetIntfFileName() override { return {}; }
  std::string GetFormName() override { return {}; }
  bool GetMainForm() override { return false; }
  bool GetShowForm() override { return false; }
  bool GetShowSource() override { return true; }
  std::unique_ptr<designide::IOTAFile> NewFormFile(const std::string&, const std::string&) override { return nullptr; }
  std::unique_ptr<designide::IOTAFile> NewImplSource(const std::string& ModuleIdent, const std::string& FormIdent,
                                                     const std::string& AncestorIdent) override;
  std::unique_ptr<designide::IOTAFile> NewIntfSource(const std::string&, const std::string&,
                                                     const std::string&) override {
    return nullptr;
  }
  void FormCreated(designide::IOTAFormEditor*) override {}

 private:
  std::string FFileName;
  std::unique_ptr<rtl::TStringStream> FStream;
  rtl::TDateTime FAge;
};

class TOTAFile : public designide::IOTAFile {
 public:
  TOTAFile(std::string ASource, rtl::TDateTime AAge) : FSource(std::move(ASource)), FAge(AAge) {}
  std::string GetSource() override { return FSource; }
  rtl::TDateTime GetAge() override { return FAge; }

 private:
  std::string FSource;
  rtl::TDateTime FAge;
};

}  // namespace dv
