#pragma once
// The designer's commands. Each command lives in its own file under
// commands/ and has one row in the table of main.cpp.
#include <string>
#include <vector>

#include "rtl/system/Exceptions.h"

namespace designer {

// Bad usage, or input that could not be read: main ends the command with
// its message and exit status 2 (every other error gives 1).
class EBadInput : public rtl::Exception {
 public:
  using Exception::Exception;
};

using TArgs = std::vector<std::string>;

struct TCommand {
  const char* Name;
  const char* Usage;    // arguments after the command name
  const char* Summary;  // one line for --help
  int (*Run)(const TArgs& args);
};

int RunInfo(const TArgs& args);
int RunOpen(const TArgs& args);
int RunSettings(const TArgs& args);
int RunShow(const TArgs& args);
int RunStructure(const TArgs& args);
int RunDrop(const TArgs& args);
int RunUpdateSql(const TArgs& args);
int RunCheck(const TArgs& args);
int RunProperties(const TArgs& args);
int RunValues(const TArgs& args);
int RunSet(const TArgs& args);
int RunVerbs(const TArgs& args);
int RunVerb(const TArgs& args);
int RunData(const TArgs& args);

// Helpers shared by the commands.
// The package built beside the program.
std::string DefaultPackagePath();
// Takes "--name VALUE" out of args; "" when absent. Raises EBadInput when
// the option has no value or is given twice.
std::string TakeOption(TArgs& args, const std::string& name);
// Takes "--name" out of args; true when it was there. Raises EBadInput
// when it is given twice.
bool TakeFlag(TArgs& args, const std::string& name);
// Dialogs are driven through the modal seam, but Qt still needs a
// platform: without a display that is the offscreen one. Chosen before the
// package (and with it the widget layer) starts.
void ChooseWidgetPlatform();
// Raises EBadInput naming the first argument left over (an unknown option
// among them first).
void NoMoreArgs(const TArgs& args, const std::string& command);

}  // namespace designer
