#include "DVReg/codeeditor/StringsModuleCreator.h"

namespace dv {

TStringsModuleCreator::TStringsModuleCreator(std::string FileName, std::unique_ptr<rtl::TStringStream> Stream,
                                             rtl::TDateTime Age)
    : FFileName(std::move(FileName)), FStream(std::move(Stream)), FAge(Age) {}

std::unique_ptr<designide::IOTAFile> TStringsModuleCreator::NewImplSource(const std::string&, const std::string&,
                                                                          const std::string&) {
  return std::make_unique<TOTAFile>(FStream->DataString(), FAge);
}

}  // namespace dv
