// Module file names and version data of package files (Dvcommon).
#include "dralvo/Common.h"
#include "rtl/system/Exceptions.h"
#include "rtl/packages/Packages.h"
#include "rtl/packages/Resources.h"

namespace dralvo {

std::string GetModuleFileNameStr(const void* moduleHandle) {
  return rtl::GetModuleFileName(const_cast<void*>(moduleHandle));
}

void ReadFileVersInfo(const std::string& fileName, std::string& productName, std::string& productVersion) {
  // A file that cannot be read or has no version data leaves both values as
  // they are: callers show their own defaults then.
  rtl::TVersionData version;
  try {
    rtl::TResourceList resources = rtl::ReadResources(fileName);
    const rtl::TResource* res = resources.Find(rtl::TResourceType::Version, rtl::VersionResName);
    if (res == nullptr) return;
    version = rtl::DecodeVersionData(res->Data, fileName);
  } catch (const rtl::Exception&) {
    return;
  }
  productName = version.Value("ProductName");
  productVersion = rtl::VersionToString(version.ProductVersion);
}

}  // namespace dralvo
