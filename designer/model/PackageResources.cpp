#include "model/PackageResources.h"

#include <memory>

#include "designide/ComponentEditors.h"
#include "designide/Registration.h"
#include "rtl/objects/Component.h"
#include "rtl/system/Exceptions.h"
#include "rtl/packages/Resources.h"
#include "rtl/system/SysUtils.h"

namespace designer {

namespace {
void PutLittleEndian(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// A bitmap resource is a .bmp file without its 14-byte file header.
std::string BitmapFileOf(const std::string& resource, const std::string& where) {
  rtl::TBitmapHeader h = rtl::DecodeBitmapHeader(resource, where);
  std::string file = "BM";
  PutLittleEndian(file, static_cast<uint32_t>(14 + resource.size()), 4);
  PutLittleEndian(file, 0, 4);
  PutLittleEndian(file, 14 + h.HeaderSize + 4 * h.PaletteEntries(), 4);
  return file + resource;
}

std::string PackageFile(rtl::HMODULE package) {
  return package == nullptr ? std::string() : rtl::GetModuleFileName(package);
}

// A component that editors can be asked about, freed when it goes out of use.
std::unique_ptr<rtl::TComponent> Specimen(const rtl::TClass& cls) {
  return std::unique_ptr<rtl::TComponent>(static_cast<rtl::TComponent*>(cls.Create(nullptr)));
}

// A designer for the About verb, which changes no module.
class TNoModuleDesigner : public designide::IDesigner {
 public:
  void Modified() override {}
  rtl::TComponent* GetRoot() override { return nullptr; }
};
}  // namespace

std::vector<TPaletteBitmap> PaletteBitmapFiles() {
  std::vector<TPaletteBitmap> result;
  rtl::HMODULE readPackage = nullptr;
  std::string file;
  rtl::TResourceList resources;
  for (const auto& info : designide::AllRegistrations()) {
    if (info.Kind != designide::TRegistrationKind::Components) continue;
    if (info.Package != readPackage || file.empty()) {
      readPackage = info.Package;
      resources = {};
      file.clear();
      try {
        file = PackageFile(info.Package);
        if (!file.empty()) resources = rtl::ReadResources(file);
      } catch (const rtl::Exception&) {
      }
    }
    for (const rtl::TClass* cls : info.Classes) {
      TPaletteBitmap bitmap{cls, {}};
      const rtl::TResource* res = resources.Find(rtl::TResourceType::Bitmap, rtl::UpperCase(cls->ClassName()));
      try {
        if (res != nullptr) bitmap.File = BitmapFileOf(res->Data, file);
      } catch (const rtl::Exception&) {
      }
      result.push_back(std::move(bitmap));
    }
  }
  return result;
}

std::vector<TPackageAbout> PackageAbouts() {
  std::vector<TPackageAbout> result;
  TNoModuleDesigner designer;
  for (const rtl::TLoadedPackage& package : rtl::LoadedPackages()) {
    rtl::TResourceList resources = rtl::ReadResources(package.FileName);
    const rtl::TResource* version = resources.Find(rtl::TResourceType::Version, rtl::VersionResName);
    if (version == nullptr) continue;
    rtl::TVersionData data = rtl::DecodeVersionData(version->Data, package.FileName);
    TPackageAbout about;
    about.Package = package.Handle;
    about.VerbCaption = data.Value("ProductName") + " " + rtl::VersionToString(data.ProductVersion);
    const rtl::TResource* description = resources.Find(rtl::TResourceType::RCData, rtl::DescriptionResName);
    about.Description = description != nullptr ? rtl::DecodeDescription(description->Data) : package.FileName;
    for (const auto& info : designide::Registrations(package.Handle)) {
      if (info.Kind != designide::TRegistrationKind::Components) continue;
      for (const rtl::TClass* cls : info.Classes) {
        const rtl::TClass* editorClass = designide::FindComponentEditorClass(*cls);
        if (editorClass == nullptr || !cls->CanCreate()) continue;
        auto component = Specimen(*cls);
        auto editor = designide::CreateComponentEditor(*editorClass, component.get(), &designer);
        for (int i = 0; i < editor->GetVerbCount() && about.VerbIndex < 0; ++i) {
          if (editor->GetVerb(i) != about.VerbCaption) continue;
          about.ComponentClass = cls;
          about.VerbIndex = i;
        }
        if (about.VerbIndex >= 0) break;
      }
      if (about.VerbIndex >= 0) break;
    }
    if (about.VerbIndex >= 0) result.push_back(about);
  }
  return result;
}

void RunPackageAbout(const TPackageAbout& about) {
  if (about.ComponentClass == nullptr) throw rtl::Exception("The package offers no About verb");
  const rtl::TClass* editorClass = designide::FindComponentEditorClass(*about.ComponentClass);
  if (editorClass == nullptr) throw rtl::Exception("The package's editors are no longer registered");
  TNoModuleDesigner designer;
  auto component = Specimen(*about.ComponentClass);
  designide::CreateComponentEditor(*editorClass, component.get(), &designer)->ExecuteVerb(about.VerbIndex);
}

}  // namespace designer
