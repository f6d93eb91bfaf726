#include "DVReg/properties/ParamsProperties.h"

#include "DVReg/editors/EditorFunctions.h"
#include "db/Params.h"
#include "dralvo/Query.h"
#include "dralvo/StoredProc.h"
#include "rtl/objects/ClassBuilder.h"

namespace dv {

using namespace designide;

const rtl::TClass& TDVParamsProperty::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TDVParamsProperty>("TDVParamsProperty", &TPropertyEditor::StaticClass()).Creatable().Build();
  return cls;
}
const rtl::TClass& TDVQueryParamsProperty::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TDVQueryParamsProperty>("TDVQueryParamsProperty", &TDVParamsProperty::StaticClass())
          .Creatable()
          .Build();
  return cls;
}
const rtl::TClass& TDVStoredProcParamsProperty::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TDVStoredProcParamsProperty>("TDVStoredProcParamsProperty", &TDVParamsProperty::StaticClass())
          .Creatable()
          .Build();
  return cls;
}

TPropertyAttributes TDVParamsProperty::GetAttributes() { return paMultiSelect | paDialog; }

std::string TDVParamsProperty::GetValue() { return "(" + db::TParams::StaticClass().ClassName() + ")"; }

// The helpers report no change (the collection editor reports its own), so
// Modified is not called here.
void TDVQueryParamsProperty::Edit() {
  if (EditQueryParams(Designer(), rtl::As<dralvo::TDVQuery>(GetComponent(0)))) Modified();
}

void TDVStoredProcParamsProperty::Edit() {
  if (EditStoredProcParams(Designer(), rtl::As<dralvo::TDVStoredProc>(GetComponent(0)))) Modified();
}

}  // namespace dv
