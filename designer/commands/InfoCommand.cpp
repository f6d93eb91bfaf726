// dvdesigner info [--package FILE]: loads the package through the loader and
// prints its identity (read from the file), its palette and every
// registration it made, then unloads it.
#include <iostream>

#include "CommandModule.h"
#include "OutputText.h"
#include "Commands.h"
#include "designide/Registration.h"
#include "rtl/packages/Resources.h"
#include "rtl/system/SysUtils.h"

namespace designer {

namespace {

std::string JoinNames(const std::vector<std::string>& names) {
  std::string text;
  for (const auto& n : names) text += (text.empty() ? "" : ", ") + n;
  return text.empty() ? "(none)" : text;
}

std::string FlagsText(uint32_t flags) {
  std::vector<std::string> names;
  if (flags & rtl::pfDesignOnly) names.push_back("design-only");
  if (flags & rtl::pfRunOnly) names.push_back("run-only");
  if (flags & rtl::pfNeverBuild) names.push_back("never built implicitly");
  return JoinNames(names);
}

void PrintIdentity(const std::string& fileName, const rtl::TResourceList& resources) {
  std::cout << "Package: " << Escaped(fileName) << "\n";
  const rtl::TResource* description = resources.Find(rtl::TResourceType::RCData, rtl::DescriptionResName);
  std::cout << "Description: " << (description ? Escaped(rtl::DecodeDescription(description->Data)) : "(none)") << "\n";
  if (const rtl::TResource* res = resources.Find(rtl::TResourceType::Version, rtl::VersionResName)) {
    rtl::TVersionData version = rtl::DecodeVersionData(res->Data, fileName);
    std::cout << "Version data:\n"
              << "  File version: " << rtl::VersionToString(version.FileVersion) << "\n"
              << "  Product version: " << rtl::VersionToString(version.ProductVersion) << "\n";
    for (const auto& [key, value] : version.Strings) std::cout << "  " << Escaped(key) << ": " << Escaped(value) << "\n";
  } else {
    std::cout << "Version data: (none)\n";
  }
  rtl::TPackageInfoData info;
  if (const rtl::TResource* res = resources.Find(rtl::TResourceType::RCData, rtl::PackageInfoResName))
    info = rtl::DecodePackageInfo(res->Data, fileName);
  std::cout << "Kind: " << FlagsText(info.Flags) << "\n"
            << "Requires: " << JoinNames(info.Requires) << "\n"
            << "Contains: " << JoinNames(info.Contains) << "\n";
}

std::string BitmapText(const rtl::TResourceList& resources, const rtl::TClass& cls, const std::string& fileName) {
  const rtl::TResource* res = resources.Find(rtl::TResourceType::Bitmap, rtl::UpperCase(cls.ClassName()));
  if (res == nullptr) return "no bitmap";
  rtl::TBitmapHeader h = rtl::DecodeBitmapHeader(res->Data, fileName);
  return "bitmap " + res->Name + ": " + std::to_string(h.Width) + "x" + std::to_string(h.Height) + ", " +
         std::to_string(h.BitCount) + " bpp, " + std::to_string(res->Data.size()) + " bytes";
}

void PrintPalette(const std::vector<designide::TRegistrationInfo>& registrations,
                  const rtl::TResourceList& resources, const std::string& fileName) {
  for (const auto& info : registrations) {
    if (info.Kind != designide::TRegistrationKind::Components) continue;
    std::cout << "Palette page \"" << info.Page << "\":\n";
    for (const rtl::TClass* cls : info.Classes)
      std::cout << "  " << cls->ClassName() << " (" << BitmapText(resources, *cls, fileName) << ")\n";
  }
}

}  // namespace

int RunInfo(const TArgs& args) {
  // The loader's refusal says best what is wrong with a file.
  std::unique_ptr<TDesignPackage> package = LoadPackage(args, false);
  const std::string& fileName = package->FileName();
  rtl::TResourceList resources = rtl::ReadResources(fileName);
  PrintIdentity(fileName, resources);
  auto registrations = designide::Registrations(package->Handle());
  PrintPalette(registrations, resources, fileName);
  std::cout << "Registrations (" << registrations.size() << "):\n";
  for (const auto& info : registrations) std::cout << "  " << designide::DescribeRegistration(info) << "\n";
  return 0;
}

}  // namespace designer
