#include "vcl/PackageInfo.h"

#include "rtl/objects/TypeInfo.h"
#include "vcl/Application.h"
#include "vcl/ComCtrls.h"
#include "vcl/DataModule.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"
#include "vcl/Menus.h"
#include "vcl/StdCtrls.h"

namespace vcl {

namespace {
// Classes that form files may name.
const rtl::TClass* const* RegisteredClasses(int& count) {
  static const rtl::TClass* const classes[] = {
      &TDataModule::StaticClass(), &TForm::StaticClass(),      &TLabel::StaticClass(),
      &TButton::StaticClass(),     &TCheckBox::StaticClass(),  &TGroupBox::StaticClass(),
      &TComboBox::StaticClass(),   &TListBox::StaticClass(),   &TMemo::StaticClass(),
      &TPanel::StaticClass(),      &TRadioGroup::StaticClass(), &TImage::StaticClass(),
      &TBevel::StaticClass(),      &TPageControl::StaticClass(), &TTabSheet::StaticClass(),
      &TPopupMenu::StaticClass(),  &TMenuItem::StaticClass(),
  };
  count = static_cast<int>(std::size(classes));
  return classes;
}

void InitForms() {
  int count = 0;
  const rtl::TClass* const* classes = RegisteredClasses(count);
  for (int i = 0; i < count; ++i) rtl::RegisterClass(*classes[i]);
}

void FinalizeForms() {
  int count = 0;
  const rtl::TClass* const* classes = RegisteredClasses(count);
  for (int i = count - 1; i >= 0; --i) rtl::UnRegisterClass(*classes[i]);
  ShutdownWidgetSystem();
}

const rtl::TUnitInfo kUnits[] = {
    {"Forms", &InitForms, &FinalizeForms},
};
}  // namespace

const rtl::TPackageInfoTable& PackageInfo() {
  static const rtl::TPackageInfoTable table{kUnits, static_cast<int>(std::size(kUnits))};
  return table;
}

}  // namespace vcl
