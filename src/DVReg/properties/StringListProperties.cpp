#include "DVReg/properties/StringListProperties.h"

#include "DVReg/settings/DesignSettings.h"
#include "DVReg/editors/EditorFunctions.h"
#include "DVReg/codeeditor/StringsModule.h"
#include "dralvo-dialogs/Dlgs.h"
#include "dralvo/Query.h"
#include "rtl/objects/ClassBuilder.h"

namespace dv {

using namespace designide;

const rtl::TClass& TDVStringListEditDlgProperty::StaticClass() {
  // Abstract: registered for nothing and never created.
  static const rtl::TClass cls =
      rtl::ClassBuilder<TDVStringListEditDlgProperty>("TDVStringListEditDlgProperty", &TClassProperty::StaticClass())
          .Build();
  return cls;
}
const rtl::TClass& TDVDatabaseParamsProperty::StaticClass() {
  static const rtl::TClass cls = rtl::ClassBuilder<TDVDatabaseParamsProperty>(
                                     "TDVDatabaseParamsProperty", &TDVStringListEditDlgProperty::StaticClass())
                                     .Creatable()
                                     .Build();
  return cls;
}
const rtl::TClass& TDVQuerySQLProperty::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TDVQuerySQLProperty>("TDVQuerySQLProperty", &TDVStringListEditDlgProperty::StaticClass())
          .Creatable()
          .Build();
  return cls;
}

TPropertyAttributes TDVStringListEditDlgProperty::GetAttributes() {
  return (TClassProperty::GetAttributes() | paDialog) & ~TPropertyAttributes{paSubProperties};
}

rtl::TStrings* TDVStringListEditDlgProperty::GetStrings() { return rtl::As<rtl::TStrings>(GetObjValue()); }

void TDVStringListEditDlgProperty::SetStrings(rtl::TStrings* Value) { SetObjValue(Value); }

void TDVDatabaseParamsProperty::Edit() {
  const std::string name = GetName();
  if (ShowStringsModule(Designer(), GetComponent(0), name)) return;
  if (IsAltKeyDown()) {
    ShowCodeEditor(GetStrings(), false);
    return;
  }
  rtl::TStrings* strings = GetStrings();
  if (dralvo::ShowDatabaseParamsEditor(
          strings, [this](rtl::TStrings* s, bool modified) { ShowCodeEditor(s, modified); },
          [this](rtl::TStrings* list) { GetDefaultParams(list); }))
    SetStrings(strings);
}

void TDVDatabaseParamsProperty::GetDefaultParams(rtl::TStrings* List) {
  if (List == nullptr) return;
  if (DesignSettings == nullptr) throw rtl::EComponentError("The design settings are not loaded");
  List->Assign(*DesignSettings->DbParams());
}

void TDVDatabaseParamsProperty::ShowCodeEditor(rtl::TStrings* Strings, bool TextModified) {
  OpenStringsInCodeEditor(Designer(), GetComponent(0), GetName(), TextModified, Strings);
}

void TDVQuerySQLProperty::Edit() {
  rtl::TPersistent* query = GetComponent(0);
  const std::string name = GetName();
  if (ShowStringsModule(Designer(), query, name)) return;
  if (IsAltKeyDown()) {
    ShowCodeEditor(GetStrings(), false);
    return;
  }
  auto* component = rtl::As<dralvo::TDVQuery>(query);
  const std::string title = GetDesignerRootName(Designer()) + "." + component->Name() + "." + name;
  if (dralvo::ShowSQLEditor(title, component, [this](rtl::TStrings* s, bool modified) { ShowCodeEditor(s, modified); }) &&
      Designer() != nullptr)
    Designer()->Modified();
}

void TDVQuerySQLProperty::ShowCodeEditor(rtl::TStrings* Strings, bool TextModified) {
  OpenStringsInCodeEditor(Designer(), GetComponent(0), GetName(), TextModified, Strings);
}

}  // namespace dv
