#pragma once
// `check`'s findings as it reports them: each placed in its module file
// (the line and column where the offending text stands in the form file),
// with its rule (a stable id and a level) and its message. A module that
// could not be read or checked is one finding too, so that every report
// names it.
#include <string>
#include <vector>

#include "dralvo/UpdateCheck.h"
#include "rtl/forms/FormPositions.h"

namespace designer {

// A kind of finding as reports list it; the order of CheckRules is stable.
struct TCheckRule {
  const char* Id;     // "unknown-column", ...
  const char* Level;  // "error" or "warning", as SARIF names levels
  const char* Description;
};
const std::vector<TCheckRule>& CheckRules();
// The rule of a module that could not be read or checked.
extern const char* const kModuleNotChecked;

struct TPlacedFinding {
  std::string File;       // as given on the command line, or as found under a given folder
  rtl::TFormPlace Place;  // 0, 0 when the file gives none
  std::string Component;  // the update object; empty for a module as a whole
  std::string Property;   // "ModifySQL", ...; empty for the object or module as a whole
  const TCheckRule* Rule = nullptr;
  std::string Message;        // what is wrong, passwords masked
  std::string ServerMessage;  // the server's own words, passwords masked; may be empty

  // An object or module that could not be checked, rather than a fault
  // found in what was checked.
  bool Unchecked() const;
};

// The findings of one update object of a module read with `positions`;
// `dataSet` names the object's dataset (empty when it has none), whose SQL
// is where a dataset that cannot be described is placed.
void PlaceFindings(const dralvo::TDVCheckResult& result, const std::string& file, const std::string& component,
                   const std::string& dataSet, const rtl::TFormPositions& positions,
                   std::vector<TPlacedFinding>& out);
// A module that could not be read (at `place` when the reader said where)
// or checked.
TPlacedFinding ModuleNotChecked(const std::string& file, const std::string& message, rtl::TFormPlace place = {});

}  // namespace designer
