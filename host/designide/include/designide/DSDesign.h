#pragma once
// The fields editor of a dataset. The dialog lives on the widget side, which
// installs it here; without one, showing it raises EComponentError.
#include <functional>

#include "db/DataSet.h"
#include "designide/Designer.h"
#include "rtl/objects/Object.h"

namespace designide {

// The fields editor's controller class (the designer class of a dataset).
class TDSDesigner : public rtl::TObject {
  RTL_CLASS(TDSDesigner)
};

using TShowFieldsEditorHandler =
    std::function<void(IDesigner* designer, db::TDataSet* dataSet, const rtl::TClass& designerClass)>;
void SetShowFieldsEditorHandler(TShowFieldsEditorHandler handler);

void ShowFieldsEditor(IDesigner* designer, db::TDataSet* dataSet, const rtl::TClass& designerClass);

}  // namespace designide
