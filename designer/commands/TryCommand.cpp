// dvdesigner try FILE UPDATE_OBJECT [--row N] [--package FILE]: runs the
// update object's statements on row N (default 1) of its dataset inside one
// transaction that is always rolled back (dralvo::TryUpdateObject), and
// never writes the module. One line a statement on standard output:
//   STATEMENT: N rows VERB: ok
//   STATEMENT: N rows VERB, expected 1: what is wrong
//   STATEMENT: refused by the server -- server: its own message
//   STATEMENT: not run | not tried: why
// Exit 0 when every statement held, 1 when one did not, 2 when the try
// could not be made or broke off (no such row, a statement missing, a table
// a rollback would not restore, a lock, the connection lost).
#include <iostream>

#include "CommandModule.h"
#include "OutputText.h"
#include "dralvo/UpdateSQL.h"
#include "dralvo/UpdateTry.h"

namespace designer {

namespace {
constexpr int kFailed = 1;
constexpr int kCannotTry = 2;

int RowOption(const TArgs& args) {
  const std::optional<std::string> text = args.Value("--row");
  if (!text) return 1;
  const std::optional<long long> row = WholeNumber(*text);
  if (!row || *row < 1 || *row > 1000000000)
    throw EBadInput("--row takes a row number from 1, not \"" + *text + "\"");
  return static_cast<int>(*row);
}

std::string StepLine(const dralvo::TDVTryStep& step) {
  std::string line = step.Statement + ": ";
  if (!step.Ran) return line + (step.Problem.empty() ? "not run" : "not tried: " + step.Problem);
  if (step.Rows >= 0)
    line += std::to_string(step.Rows) + (step.Rows == 1 ? " row " : " rows ") + step.Verb +
            (step.Rows == 1 ? ": " : ", expected 1: ");
  line += step.Problem.empty() ? "ok" : step.Problem;
  return Shown(line);
}
}  // namespace

int RunTry(const TArgs& args) {
  const int row = RowOption(args);
  std::unique_ptr<TDesignModule> module = OpenModule(args);
  rtl::TComponent& component = ComponentOf(*module, args, 1);
  if (!rtl::Is<dralvo::TDVDataSetUpdateObject>(&component))
    throw EBadInput(args.Operand(1) + " is a " + component.ClassName() + ", not an update object");
  auto& update = static_cast<dralvo::TDVDataSetUpdateObject&>(component);
  std::cerr << "Trying " << ForTerminal(update.Name()) << " on row " << row
            << " of its dataset, in a transaction that is rolled back ...\n";
  TellWhereItConnects(update.DataSet());

  const dralvo::TDVTryResult result = dralvo::TryUpdateObject(update, row);
  bool held = true;
  for (const dralvo::TDVTryStep& step : result.Steps) {
    std::cout << StepLine(step);
    if (!step.ServerMessage.empty()) std::cout << " -- server: " << Shown(step.ServerMessage);
    std::cout << "\n";
    held = held && step.Ran && step.Problem.empty();
  }
  // Whether the try rolled back or its connection broke off, the server
  // committed nothing.
  if (!result.Steps.empty()) std::cerr << "Nothing was committed.\n";
  if (!result.NotTried.empty()) throw EBadInput("cannot try " + update.Name() + ": " + result.NotTried);
  return held ? 0 : kFailed;
}

}  // namespace designer
