#include "DVReg/properties/FileNameProperty.h"

#include <memory>

#include "rtl/objects/ClassBuilder.h"
#include "vcl/Application.h"
#include "vcl/Dialogs.h"

namespace dv {

using namespace designide;

const rtl::TClass& TDVFileNameProperty::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TDVFileNameProperty>("TDVFileNameProperty", &TStringProperty::StaticClass()).Creatable().Build();
  return cls;
}

void TDVFileNameProperty::Edit() {
  // Owned by the application object, freed here on every way out.
  auto dialog = std::make_unique<vcl::TOpenDialog>(vcl::Application());
  dialog->SetFileName(GetValue());
  dialog->SetFilter(FileFilter);
  dialog->SetOptions(dialog->Options() | vcl::ofPathMustExist | vcl::ofFileMustExist);
  if (dialog->Execute()) SetValue(dialog->FileName());
}

TPropertyAttributes TDVFileNameProperty::GetAttributes() { return paDialog | paRevertable; }

}  // namespace dv
