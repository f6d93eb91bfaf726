#pragma once
// The designer's commands. Each command has one row in the table of
// main.cpp declaring its operands and options, and lives in its own file
// under commands/. The command line is checked against that row in one
// place (RunCommand) before the command runs: --help, unknown, repeated
// and valueless options, missing and extra operands, and the exit status.
#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "rtl/system/Exceptions.h"

namespace designer {

// Bad usage, or input that could not be read: the command ends with its
// message and exit status 2 (every other error gives 1).
class EBadInput : public rtl::Exception {
 public:
  using Exception::Exception;
};

// An operand: its name in the usage line and what it is, for the message
// when it is missing. Optional operands come last.
struct TOperand {
  const char* Name;
  const char* What;
  bool Optional = false;
  bool Repeated = false;  // the last operand only: it may be given any number of times
};

// An option: a flag ("--save") or one with a value ("--package FILE").
struct TOption {
  const char* Name;
  const char* Value = nullptr;  // the value's name in the usage line; null for a flag
};

// The command line of one command, checked against its row.
class TArgs {
 public:
  // The operand at `index` as given; empty when an optional one is absent.
  const std::string& Operand(size_t index) const;
  bool HasOperand(size_t index) const { return index < operands_.size(); }
  const std::vector<std::string>& Operands() const { return operands_; }
  bool Flag(const std::string& name) const { return flags_.count(name) != 0; }
  // The value of an option with a value; none when it was not given.
  std::optional<std::string> Value(const std::string& name) const;
  // The file of --package, or the package built beside the program.
  std::string PackageFile() const;

 private:
  friend class TArgsParser;
  std::vector<std::string> operands_;
  std::set<std::string> flags_;
  std::map<std::string, std::string> values_;
};

struct TCommand {
  const char* Name;
  std::vector<TOperand> Operands;
  std::vector<TOption> Options;
  const char* Summary;  // one line for --help
  int (*Run)(const TArgs& args);
};

// "FILE COMPONENT [--save] [--package FILE]", from the command's row.
std::string UsageOf(const TCommand& command);
// Checks `args` (what follows the command's name) against the command's
// row and runs it: --help prints its usage; bad usage and EBadInput end
// with the message and 2, any other error with 1. Messages never show a
// password.
int RunCommand(const TCommand& command, const std::vector<std::string>& args);
// Raises EBadInput when `args` do not fit the command's row.
TArgs ParseArgs(const TCommand& command, const std::vector<std::string>& args);

// A whole number written in decimal digits alone (a leading "-" allowed),
// saturated to the range of long long; none for any other text, blanks
// included.
std::optional<long long> WholeNumber(const std::string& text);

// Messages a server sends beside its results (PostgreSQL's notices) go to
// standard error as "SERVER: MESSAGE", escaped as every message is and
// passwords masked; call once at start.
void TellServerNotices();

// Dialogs are driven through the modal seam, but Qt still needs a
// platform: without a display that is the offscreen one. Chosen before the
// package (and with it the widget layer) starts.
void ChooseWidgetPlatform();

int RunInfo(const TArgs& args);
int RunOpen(const TArgs& args);
int RunSettings(const TArgs& args);
int RunShow(const TArgs& args);
int RunStructure(const TArgs& args);
int RunDrop(const TArgs& args);
int RunUpdateSql(const TArgs& args);
int RunCheck(const TArgs& args);
int RunTry(const TArgs& args);
int RunProperties(const TArgs& args);
int RunValues(const TArgs& args);
int RunSet(const TArgs& args);
int RunVerbs(const TArgs& args);
int RunVerb(const TArgs& args);
int RunData(const TArgs& args);

}  // namespace designer
