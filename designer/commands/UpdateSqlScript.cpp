#include "UpdateSqlScript.h"

#include "OutputText.h"
#include "VerbAutomation.h"
#include "rtl/system/Exceptions.h"
#include "rtl/system/SysUtils.h"
#include "vcl/ComCtrls.h"
#include "vcl/ExtCtrls.h"
#include "vcl/Forms.h"
#include "vcl/StdCtrls.h"

namespace designer {

namespace {

// A control of the editor by its name, of the class the script expects.
template <class T>
T& ControlOf(vcl::TForm& form, const char* name) {
  rtl::TComponent* component = form.FindComponent(name);
  if (component == nullptr) throw rtl::Exception(std::string("The UpdateSQL editor has no control ") + name);
  return *rtl::As<T>(component);
}

// "Get &Table Fields" as a person reads it.
std::string Plain(const std::string& caption) { return rtl::StringReplaceAll(caption, "&", ""); }

const char* const kStatementNames[] = {"refresh", "modify", "insert", "delete"};

}  // namespace

TUpdateSqlScript::TUpdateSqlScript(TUpdateSqlSteps steps, std::ostream& out, std::ostream& log)
    : steps_(std::move(steps)), out_(out), log_(log) {}

void TUpdateSqlScript::FormShown(vcl::TForm& form) {
  log_ << "Opened \"" << ForTerminal(form.Caption()) << "\"\n";
  if (steps_.Table) ControlOf<vcl::TComboBox>(form, "cbTableName").TypeText(*steps_.Table);
  const std::string table = ControlOf<vcl::TComboBox>(form, "cbTableName").Text();
  if ((steps_.TableFields || steps_.PrimaryKeys) && rtl::Trim(table).empty())
    throw rtl::Exception("The editor names no table (its table box is empty); give one with --table");
  if (steps_.TableFields) {
    log_ << "Fetching the columns of " << ForTerminal(table) << " ...\n";
    Press(form, "btGetTableFields");
  }
  if (steps_.PrimaryKeys) {
    log_ << "Reading the primary key of " << ForTerminal(table) << " ...\n";
    Press(form, "btSelectPrimKeys");
  }
  if (steps_.DataSetDefaults) Press(form, "btDataSetDefaults");
  if (steps_.Keys) SelectExactly(form, "lbKeyFields", *steps_.Keys, "key field");
  if (steps_.Update) SelectExactly(form, "lbUpdateFields", *steps_.Update, "update field");
  if (steps_.Quote) {
    auto& quote = ControlOf<vcl::TCheckBox>(form, "cbQuotedFields");
    if (!quote.Checked() && !quote.Click())
      throw rtl::Exception("\"" + Plain(quote.Caption()) + "\" cannot be ticked: it is disabled");
  }
  if (steps_.Generate) Press(form, "btGenerateSQL");
  if (steps_.Print) PrintStatements(form);
  Press(form, steps_.Save ? "btOk" : "btCancel");
}

void TUpdateSqlScript::CloseRefused(vcl::TForm& form) {
  // OK was refused (no modify statement, and the question answered No):
  // nothing is saved, and the command fails.
  saveRefused_ = true;
  failed_ = true;
  log_ << "Error: no modify statement was generated; the module was not saved\n";
  Press(form, "btCancel");
}

vcl::TModalResult TUpdateSqlScript::MessageShown(const vcl::TMessageDlgInfo& info) {
  log_ << vcl::MsgDlgTypeName(info.Type) << ": " << ForTerminal(info.Text) << "\n";
  if (info.Type == vcl::TMsgDlgType::mtError) failed_ = true;
  // "Close without generated SQL?" is answered No.
  return CautiousAnswer(info);
}

void TUpdateSqlScript::Press(vcl::TForm& form, const char* buttonName) {
  auto& button = ControlOf<vcl::TButton>(form, buttonName);
  if (!button.Click()) throw rtl::Exception("\"" + Plain(button.Caption()) + "\" cannot be pressed: it is disabled");
}

void TUpdateSqlScript::SelectExactly(vcl::TForm& form, const char* listName, const std::vector<std::string>& names,
                                     const char* what) {
  auto& list = ControlOf<vcl::TListBox>(form, listName);
  const rtl::TStrings& items = *list.Items();
  std::vector<int> picked;
  for (const std::string& name : names) {
    int index = -1;
    for (int i = 0; i < items.Count() && index < 0; ++i)
      if (items[i] == name) index = i;
    for (int i = 0; i < items.Count() && index < 0; ++i)
      if (rtl::SameText(items[i], name)) index = i;
    if (index < 0) {
      std::string offered;
      for (int i = 0; i < items.Count(); ++i) offered += (i == 0 ? "" : ", ") + items[i];
      throw rtl::Exception("There is no " + std::string(what) + " \"" + name + "\" to select; the list offers: " +
                           (offered.empty() ? "nothing" : offered));
    }
    bool twice = false;
    for (int p : picked) twice = twice || p == index;
    if (!twice) picked.push_back(index);
  }
  // A click on the first alone, then Ctrl+click on each other one.
  for (size_t i = 0; i < picked.size(); ++i) list.ClickItem(picked[i], i > 0);
}

void TUpdateSqlScript::PrintStatements(vcl::TForm& form) {
  ControlOf<vcl::TPageControl>(form, "pcUpdateSQL").ChoosePage(&ControlOf<vcl::TTabSheet>(form, "tsSQL"));
  auto& kind = ControlOf<vcl::TRadioGroup>(form, "rgrStatementType");
  auto& memo = ControlOf<vcl::TMemo>(form, "meSQLText");
  for (int i = 0; i < 4; ++i) {
    kind.Choose(i);
    out_ << (i == 0 ? "" : "\n") << "-- " << kStatementNames[i] << "\n";
    const rtl::TStrings& lines = *memo.Lines();
    for (int l = 0; l < lines.Count(); ++l) out_ << lines[l] << "\n";
  }
}

}  // namespace designer
