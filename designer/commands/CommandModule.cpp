#include "CommandModule.h"

#include <iostream>

#include "OutputText.h"
#include "dralvo/DataSet.h"
#include "dralvo/Database.h"
#include "dralvo/Hooks.h"
#include "dralvo/Secrets.h"

namespace designer {

std::unique_ptr<TDesignPackage> LoadPackage(const TArgs& args, bool tell) {
  const std::string fileName = args.PackageFile();
  if (tell) std::cerr << "Loading package " << ForTerminal(fileName) << " ...\n";
  try {
    return std::make_unique<TDesignPackage>(fileName);
  } catch (const rtl::EPackageError& e) {
    throw EBadInput(e.what());
  }
}

std::unique_ptr<TDesignModule> OpenModule(const TArgs& args) {
  std::unique_ptr<TDesignPackage> package = LoadPackage(args);
  TellDesignNotices();
  const std::string& moduleFile = args.Operand(0);
  std::cerr << "Reading " << ForTerminal(moduleFile) << " ...\n";
  try {
    return TDesignModule::Open(moduleFile, std::move(package));
  } catch (const std::exception& e) {
    throw EBadInput(e.what());
  }
}

void TellDesignNotices() {
  dralvo::SetDesignNoticeHandler(
      [](const std::string& notice) { std::cerr << "Note: " << ForTerminal(notice) << "\n"; });
}

rtl::TComponent& ComponentOf(const TDesignModule& module, const TArgs& args, size_t operand) {
  const std::string& name = args.Operand(operand);
  rtl::TComponent* component = module.Root().FindComponent(name);
  if (component == nullptr)
    throw EBadInput("The module " + args.Operand(0) + " has no component named \"" + name + "\"");
  return *component;
}

void TellWhereItConnects(const dralvo::TDVDataSet* dataSet) {
  dralvo::TDVDatabase* database = dataSet != nullptr ? dataSet->FindDatabase() : nullptr;
  if (database == nullptr || database->Connected()) return;
  std::cerr << "Connecting to database " << ForTerminal(database->DatabaseName()) << " ("
            << ForTerminal(dralvo::MaskPasswords(database->ResolvedTarget())) << ") ...\n";
}

void SaveModule(TDesignModule& module, const TArgs& args) {
  const std::string fileName = ForTerminal(args.Operand(0));
  std::cerr << (module.Save() ? "Saved " + fileName : NothingChanged(fileName)) << "\n";
}

}  // namespace designer
