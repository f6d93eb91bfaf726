// dvdesigner: the host program's command line.
#include <strings.h>

#include <algorithm>
#include <cstring>
#include <iostream>

#include "Commands.h"
#include "designide-dialogs/DesignerDialogs.h"
#include "dralvo/Secrets.h"

namespace {

using designer::TCommand;

// One row per command; each command's code is in commands/<Name>Command.cpp.
const TCommand kCommands[] = {
    {"info", "[--package FILE]",
     "load the package and print its identity, palette and registrations", &designer::RunInfo},
    {"open", "[FILE] [--package FILE]",
     "open the designer window, with the data module FILE when given (also: dvdesigner FILE.dfm)", &designer::RunOpen},
    {"settings", "[--set-root-dir DIR]",
     "print the design settings, or store the folder of the settings file", &designer::RunSettings},
    {"show", "FILE [--package FILE]", "open a data module and print its components and their properties", &designer::RunShow},
    {"structure", "FILE [--package FILE]", "print the Structure view of a data module as an indented tree",
     &designer::RunStructure},
    {"drop", "FILE NODE TARGET [--save] [--package FILE]",
     "drag a node of the Structure view onto another and print what the drop changed", &designer::RunDrop},
    {"updatesql",
     "FILE OBJECT [--table TEXT] [--table-fields] [--primary-keys] [--dataset-defaults] [--keys A,B,...] "
     "[--update A,B,...] [--quote] [--generate] [--print] [--save] [--package FILE]",
     "run the UpdateSQL editor on an update object of a data module", &designer::RunUpdateSql},
    {"check", "FILE [OBJECT] [--package FILE]",
     "check the stored statements of update objects against the live database, changing nothing",
     &designer::RunCheck},
    {"properties", "FILE COMPONENT [--package FILE]",
     "print the Object Inspector rows of a component: name, value, attributes, editor class, categories",
     &designer::RunProperties},
    {"values", "FILE COMPONENT PROPERTY [--package FILE]",
     "print the value list the Object Inspector offers for a property, in its order", &designer::RunValues},
    {"set", "FILE COMPONENT PROPERTY VALUE [--save] [--package FILE]",
     "set a property through its registered editor, as typed into the Object Inspector", &designer::RunSet},
    {"verbs", "FILE [COMPONENT] [--package FILE]",
     "print the context-menu verbs of the module's components (or of one), one \"COMPONENT INDEX CAPTION\" a line",
     &designer::RunVerbs},
    {"verb", "FILE COMPONENT INDEX [--accept] [--save] [--package FILE]",
     "run one context-menu verb of a component; its dialogs are cancelled, or accepted with --accept",
     &designer::RunVerb},
};

void PrintUsage(std::ostream& out) {
  out << "usage: dvdesigner COMMAND [ARGS]\n\ncommands:\n";
  for (const TCommand& c : kCommands) out << "  " << c.Name << " " << c.Usage << "\n      " << c.Summary << "\n";
  out << "\nFILE for --package defaults to DclDralvo160.so beside the program.\n";
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
  // The framework's own dialogs (collection, fields and field-link editors),
  // which the package's editors open.
  designide::InstallDesignerDialogs();
  // "dvdesigner Shop.dfm" opens the window on that module.
  const bool moduleFirst = EndsWithDfm(argv[1]);
  for (const TCommand& c : kCommands) {
    if (moduleFirst ? std::strcmp(c.Name, "open") != 0 : std::strcmp(argv[1], c.Name) != 0) continue;
    designer::TArgs args(argv + (moduleFirst ? 1 : 2), argv + argc);
    if (std::find(args.begin(), args.end(), "--help") != args.end()) {
      std::cout << "usage: dvdesigner " << c.Name << " " << c.Usage << "\n  " << c.Summary << "\n";
      return 0;
    }
    try {
      return c.Run(args);
    } catch (const designer::EBadInput& e) {
      std::cerr << "dvdesigner " << c.Name << ": " << dralvo::MaskPasswords(e.what()) << "\n";
      return 2;
    } catch (const std::exception& e) {
      // Whatever a layer put into the message, no password is shown.
      std::cerr << "dvdesigner " << c.Name << ": " << dralvo::MaskPasswords(e.what()) << "\n";
      return 1;
    }
  }
  std::cerr << "dvdesigner: unknown command \"" << argv[1] << "\"\n";
  PrintUsage(std::cerr);
  return 2;
}
