// dvdesigner: the host program's command line.
#include <strings.h>

#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "Commands.h"
#include "ToolkitMessages.h"
#include "commands/OutputText.h"
#include "designide-dialogs/DesignerDialogs.h"

namespace {

using designer::TCommand;

// One row per command; each command's code is in commands/<Name>Command.cpp.
const designer::TOption kPackage{"--package", "FILE"};
const designer::TOption kSave{"--save"};
const designer::TOperand kModule{"FILE", "the data module file"};

const TCommand kCommands[] = {
    {"info", {}, {kPackage}, "load the package and print its identity, palette and registrations", &designer::RunInfo},
    {"open", {{"FILE", "the data module file", true}}, {kPackage},
     "open the designer window, with the data module FILE when given (also: dvdesigner FILE.dfm)", &designer::RunOpen},
    {"settings", {}, {{"--set-root-dir", "DIR"}},
     "print the design settings, or store the folder of the settings file", &designer::RunSettings},
    {"show", {kModule}, {kPackage}, "open a data module and print its components and their properties",
     &designer::RunShow},
    {"structure", {kModule}, {kPackage}, "print the Structure view of a data module as an indented tree",
     &designer::RunStructure},
    {"drop", {kModule, {"NODE", "the node to drag"}, {"TARGET", "the target node"}}, {kSave, kPackage},
     "drag a node of the Structure view onto another and print what the drop changed", &designer::RunDrop},
    {"updatesql",
     {kModule, {"OBJECT", "the update object's name"}},
     {{"--table", "TEXT"},
      {"--table-fields"},
      {"--primary-keys"},
      {"--dataset-defaults"},
      {"--keys", "A,B,..."},
      {"--update", "A,B,..."},
      {"--quote"},
      {"--generate"},
      {"--print"},
      kSave,
      kPackage},
     "run the UpdateSQL editor on an update object of a data module", &designer::RunUpdateSql},
    {"check",
     {{"FILE|FOLDER", "a data module file or a folder of them"},
      {"FILE|FOLDER|OBJECT", "more modules, or update objects of the module before", true, true}},
     {{"--format", "text|json|sarif"}, kPackage},
     "check the stored statements of update objects against the live database, changing nothing; each finding "
     "at its line and column in the module file",
     &designer::RunCheck},
    {"try", {kModule, {"UPDATE_OBJECT", "the update object's name"}}, {{"--row", "N"}, kPackage},
     "run an update object's statements on row N (--row: 1) of its dataset in a transaction that is rolled back",
     &designer::RunTry},
    {"properties", {kModule, {"COMPONENT", "a component's name"}}, {kPackage},
     "print the Object Inspector rows of a component: name, value, attributes, editor class, categories",
     &designer::RunProperties},
    {"values", {kModule, {"COMPONENT", "a component's name"}, {"PROPERTY", "a property"}}, {kPackage},
     "print the value list the Object Inspector offers for a property, in its order", &designer::RunValues},
    {"set",
     {kModule, {"COMPONENT", "a component's name"}, {"PROPERTY", "a property"}, {"VALUE", "its new value"}},
     {kSave, kPackage}, "set a property through its registered editor, as typed into the Object Inspector",
     &designer::RunSet},
    {"verbs", {kModule, {"COMPONENT", "a component's name", true}}, {kPackage},
     "print the context-menu verbs of the module's components (or of one), one \"COMPONENT INDEX CAPTION\" a line",
     &designer::RunVerbs},
    {"verb", {kModule, {"COMPONENT", "the component"}, {"INDEX", "the verb's index"}},
     {{"--accept"}, kSave, kPackage},
     "run one context-menu verb of a component; its dialogs are cancelled, or accepted with --accept",
     &designer::RunVerb},
    {"data", {kModule, {"DATASET", "a dataset's name"}}, {{"--limit", "N"}, kPackage},
     "print a dataset's records: a line of field names, then one tab-separated line a record (--limit: 100)",
     &designer::RunData},
};

void PrintUsage(std::ostream& out) {
  out << "usage: dvdesigner COMMAND [ARGS]\n\ncommands:\n";
  for (const TCommand& c : kCommands)
    out << "  " << c.Name << " " << designer::UsageOf(c) << "\n      " << c.Summary << "\n";
  out << "\nFILE for --package defaults to DclDralvo160.so beside the program, or in " DV_PRIVATE_LIB_DIR
         " from the program's folder (as installed).\n";
}

bool EndsWithDfm(const char* arg) {
  const size_t length = std::strlen(arg);
  return length > 4 && strcasecmp(arg + length - 4, ".dfm") == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    PrintUsage(std::cerr);
    return 2;
  }
  if (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0) {
    PrintUsage(std::cout);
    return 0;
  }
  designer::QuietToolkitMessages();
  designer::TellServerNotices();
  // The framework's own dialogs (collection, fields and field-link editors),
  // which the package's editors open.
  designide::InstallDesignerDialogs();
  // "dvdesigner Shop.dfm" opens the window on that module.
  const bool moduleFirst = EndsWithDfm(argv[1]);
  for (const TCommand& c : kCommands) {
    if (moduleFirst ? std::strcmp(c.Name, "open") != 0 : std::strcmp(argv[1], c.Name) != 0) continue;
    // Only the window needs a display. Every other command drives its
    // dialogs offscreen, so a DISPLAY that is empty or names a server that
    // is gone (an ssh session, a cron job) cannot stop it.
    if (std::strcmp(c.Name, "open") != 0) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    return designer::RunCommand(c, std::vector<std::string>(argv + (moduleFirst ? 1 : 2), argv + argc));
  }
  std::cerr << "dvdesigner: unknown command \"" << designer::ForTerminal(argv[1]) << "\"\n";
  PrintUsage(std::cerr);
  return 2;
}
