#pragma once
// What `dvdesigner updatesql` does in the UpdateSQL editor, played through
// the modal seam as a person would: typing, pressing buttons, clicking list
// items, reading the statements off the "SQL" page, and OK or Cancel.
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "vcl/Automation.h"

namespace vcl {
class TForm;
}

namespace designer {

// The steps asked for on the command line; they are taken in this order.
struct TUpdateSqlSteps {
  std::optional<std::string> Table;  // typed into the table name box
  bool TableFields = false;          // "Get Table Fields"
  bool PrimaryKeys = false;          // "Select Primary Keys"
  bool DataSetDefaults = false;      // "DataSet Defaults"
  std::optional<std::vector<std::string>> Keys;    // exactly these key fields
  std::optional<std::vector<std::string>> Update;  // exactly these update fields
  bool Quote = false;                // tick "Quote Field Names"
  bool Generate = false;             // "Generate SQL"
  bool Print = false;                // print the four statements
  bool Save = false;                 // OK instead of Cancel
};

class TUpdateSqlScript : public vcl::TAutomation {
 public:
  // Statements go to `out`; message boxes and progress to `log`.
  TUpdateSqlScript(TUpdateSqlSteps steps, std::ostream& out, std::ostream& log);

  void FormShown(vcl::TForm& form) override;
  void CloseRefused(vcl::TForm& form) override;
  vcl::TModalResult MessageShown(const vcl::TMessageDlgInfo& info) override;

  // An error message box was shown, or OK was refused.
  bool Failed() const { return failed_; }
  bool SaveRefused() const { return saveRefused_; }

 private:
  void Press(vcl::TForm& form, const char* buttonName);
  void SelectExactly(vcl::TForm& form, const char* listName, const std::vector<std::string>& names,
                     const char* what);
  void PrintStatements(vcl::TForm& form);

  TUpdateSqlSteps steps_;
  std::ostream& out_;
  std::ostream& log_;
  bool failed_ = false;
  bool saveRefused_ = false;
};

}  // namespace designer
