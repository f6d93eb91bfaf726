// The connection-parameters editor: name=value lines, OK or Cancel, the
// default parameters added on request, or the text moved to the code editor.
#include "DialogLayout.h"
#include "TextEditDlg.h"
#include "rtl/objects/ClassBuilder.h"
#include "vcl/Application.h"

namespace dralvo {

namespace {
class TDVParamsEditDlg : public TDVTextEditDlg {
  RTL_CLASS(TDVParamsEditDlg)
 public:
  explicit TDVParamsEditDlg(rtl::TComponent* AOwner) : TDVTextEditDlg(AOwner, "Connection Parameters", 360, 300) {
    SetName("DVParamsEditDlg");
    meText = Place<vcl::TMemo>(this, this, "meParams", 8, 8, 344, 251);
    meText->SetScrollBars(vcl::TScrollStyle::ssBoth);
    meText->SetWordWrap(false);
    btDefaults = Place<vcl::TButton>(this, this, "btDefaults", 112, 267, 80, 25, "&Defaults");
    btDefaults->SetTabOrder(btCodeEditor->TabOrder() + 1);
  }
  vcl::TButton* btDefaults = nullptr;
};

const rtl::TClass& TDVParamsEditDlg::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TDVParamsEditDlg>("TDVParamsEditDlg", &TDVTextEditDlg::StaticClass()).Build();
  return cls;
}
}  // namespace

bool ShowDatabaseParamsEditor(rtl::TStrings* Params, TShowCodeEditorProc ShowCodeEditor,
                              TGetParamsProc GetDefaultParams) {
  auto dlg = std::make_unique<TDVParamsEditDlg>(vcl::Application());
  dlg->btDefaults->SetEnabled(static_cast<bool>(GetDefaultParams));
  // The defaults take the place of the lines shown.
  dlg->btDefaults->OnClick = [&](rtl::TObject*) {
    rtl::TStringList defaults;
    GetDefaultParams(&defaults);
    dlg->meText->Lines()->Assign(defaults);
  };
  return dlg->Run(*Params, ShowCodeEditor);
}

}  // namespace dralvo
