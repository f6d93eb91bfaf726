// dvdesigner check FILE [OBJECT] [--package FILE]: checks the stored
// statements of every update object of a data module (or the one named)
// against the live database of its dataset, changing no row and never
// writing the module. One line per finding on standard output:
//   OBJECT STATEMENT: what is wrong [-- server: its own message]
// then a summary line. Exit 0 when everything holds, 1 when something does
// not, 2 when something could not be checked (bad usage, unreadable module,
// no database, no connection).
#include <iostream>

#include "OutputText.h"
#include "Commands.h"
#include "CommandModule.h"
#include "dralvo/DataSet.h"
#include "dralvo/Database.h"
#include "dralvo/Secrets.h"
#include "dralvo/UpdateCheck.h"
#include "dralvo/UpdateSQL.h"

namespace designer {

namespace {
constexpr int kFailed = 1;
constexpr int kCannotCheck = 2;

std::vector<dralvo::TDVDataSetUpdateObject*> UpdateObjects(const rtl::TComponent& root) {
  std::vector<dralvo::TDVDataSetUpdateObject*> out;
  for (int i = 0; i < root.ComponentCount(); ++i)
    if (rtl::Is<dralvo::TDVDataSetUpdateObject>(root.Components(i)))
      out.push_back(static_cast<dralvo::TDVDataSetUpdateObject*>(root.Components(i)));
  return out;
}

void TellWhereItConnects(const dralvo::TDVDataSetUpdateObject& update) {
  dralvo::TDVDataSet* dataSet = update.DataSet();
  dralvo::TDVDatabase* database = dataSet != nullptr ? dataSet->FindDatabase() : nullptr;
  if (database == nullptr || database->Connected()) return;
  std::cerr << "Connecting to database " << database->DatabaseName() << " ("
            << dralvo::MaskPasswords(database->ResolvedTarget()) << ") ...\n";
}

std::string Plural(int n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}
}  // namespace

int RunCheck(const TArgs& args) {
  // Whatever keeps the module from being checked is bad input (exit 2).
  std::unique_ptr<TDesignModule> module = OpenModule(args);
  std::vector<dralvo::TDVDataSetUpdateObject*> objects;
  if (args.HasOperand(1)) {
    rtl::TComponent& component = ComponentOf(*module, args, 1);
    if (!rtl::Is<dralvo::TDVDataSetUpdateObject>(&component))
      throw EBadInput(args.Operand(1) + " is a " + component.ClassName() + ", not an update object");
    objects.push_back(static_cast<dralvo::TDVDataSetUpdateObject*>(&component));
  } else {
    objects = UpdateObjects(module->Root());
    if (objects.empty()) throw EBadInput("The module " + args.Operand(0) + " has no update object");
  }

  int statements = 0;
  int findings = 0;
  int unchecked = 0;
  for (dralvo::TDVDataSetUpdateObject* update : objects) {
    std::cerr << "Checking " << update->Name() << " ...\n";
    TellWhereItConnects(*update);
    dralvo::TDVCheckResult result = dralvo::CheckUpdateObject(*update);
    statements += result.Statements;
    for (const dralvo::TDVCheckFinding& f : result.Findings) {
      std::cout << update->Name() << (f.Statement.empty() ? "" : " " + f.Statement) << ": "
                << (f.Unchecked() ? "not checked: " : "") << Shown(f.Problem);
      if (!f.ServerMessage.empty()) std::cout << " -- server: " << Shown(f.ServerMessage);
      std::cout << "\n";
      (f.Unchecked() ? unchecked : findings) += 1;
    }
  }
  std::cout << "Checked " << Plural(static_cast<int>(objects.size()), "update object", "update objects") << ", "
            << Plural(statements, "statement", "statements") << ": " << Plural(findings, "finding", "findings");
  if (unchecked > 0) std::cout << ", " << unchecked << " not checked";
  std::cout << "\n";
  if (unchecked > 0) return kCannotCheck;
  return findings > 0 ? kFailed : 0;
}

}  // namespace designer
