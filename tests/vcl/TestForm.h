#pragma once
// A small form for the widget tests: a memo, two buttons with modal
// results, a radio group and a combo box, with a log of the events fired.
#include <memory>
#include <string>
#include <vector>

#include "vcl/Application.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"

namespace vcltest {

class TTestForm : public vcl::TForm {
 public:
  explicit TTestForm(rtl::TComponent* owner) : vcl::TForm(owner) {
    SetCaption("Test form");
    SetClientSize(300, 200);
    memo = Make<vcl::TMemo>("memo", 5, 5, 200, 60);
    ok = Make<vcl::TButton>("ok", 210, 5, 75, 25);
    ok->SetCaption("&OK");
    ok->SetModalResult(vcl::mrOk);
    ok->SetDefault(true);
    cancel = Make<vcl::TButton>("cancel", 210, 35, 75, 25);
    cancel->SetCaption("Cancel");
    cancel->SetModalResult(vcl::mrCancel);
    cancel->SetCancel(true);
    radio = Make<vcl::TRadioGroup>("radio", 5, 70, 200, 40);
    radio->SetColumns(2);
    radio->Items()->Add("&One");
    radio->Items()->Add("&Two");
    radio->SetItemIndex(0);
    combo = Make<vcl::TComboBox>("combo", 5, 120, 150, 21);
    memo->OnEnter = [this](rtl::TObject*) { log.push_back("memo enter"); };
    memo->OnExit = [this](rtl::TObject*) { log.push_back("memo exit: " + memo->Lines()->Text()); };
    ok->OnClick = [this](rtl::TObject*) { log.push_back("ok click"); };
    radio->OnClick = [this](rtl::TObject*) { log.push_back("radio click " + std::to_string(radio->ItemIndex())); };
    combo->OnChange = [this](rtl::TObject*) { log.push_back("combo change: " + combo->Text()); };
    OnCloseQuery = [this](rtl::TObject*, bool& canClose) {
      log.push_back("close query");
      canClose = allowClose;
    };
  }

  template <class T>
  T* Make(const char* name, int left, int top, int width, int height) {
    auto* c = new T(this);
    c->SetName(name);
    c->SetParent(this);
    c->SetBounds(left, top, width, height);
    return c;
  }

  vcl::TMemo* memo;
  vcl::TButton* ok;
  vcl::TButton* cancel;
  vcl::TRadioGroup* radio;
  vcl::TComboBox* combo;
  std::vector<std::string> log;
  bool allowClose = true;
};

inline std::unique_ptr<TTestForm> NewTestForm() {
  return std::unique_ptr<TTestForm>(vcl::CreateForm<TTestForm>(vcl::Application()));
}

}  // namespace vcltest
