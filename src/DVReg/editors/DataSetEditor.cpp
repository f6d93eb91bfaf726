#include "DVReg/editors/DataSetEditor.h"

#include "DVAbout/AboutDlg.h"
#include "DVReg/editors/EditorFunctions.h"
#include "designide/DSDesign.h"
#include "dralvo/Consts.h"
#include "rtl/objects/ClassBuilder.h"

namespace dv {

const rtl::TClass& TDVDataSetEditor::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TDVDataSetEditor>("TDVDataSetEditor", &designide::TDataSetEditor::StaticClass())
          .Creatable()
          .Build();
  return cls;
}

void TDVDataSetEditor::Edit() { ExecuteVerb(2); }

void TDVDataSetEditor::ExecuteVerb(int Index) {
  if (Index == 0) ShowAboutBox();
  if (Index == 2)
    designide::ShowFieldsEditor(GetDesigner(), rtl::As<db::TDataSet>(GetComponent()), GetDSDesignerClass());
}

std::string TDVDataSetEditor::GetVerb(int Index) {
  switch (Index) {
    case 0:
      return GetAboutVerbCaption();
    case 1:
      return "-";
    case 2:
      return dralvo::SDatasetDesignerVerb;
    default:
      return {};
  }
}

int TDVDataSetEditor::GetVerbCount() { return 3; }

}  // namespace dv
