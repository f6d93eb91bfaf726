// dvdesigner updatesql FILE OBJECT [--table TEXT] [--table-fields]
//   [--primary-keys] [--dataset-defaults] [--keys A,B,...] [--update A,B,...]
//   [--quote] [--generate] [--print] [--save] [--package FILE]
// Opens the package's UpdateSQL editor on the update object OBJECT of the
// data module FILE, as its context-menu verb does, and acts in it through
// the modal seam (see UpdateSqlScript.h). With --save the module is written
// back when the editor accepts.
#include <algorithm>
#include <iostream>

#include "Commands.h"
#include "ModuleSession.h"
#include "UpdateSqlScript.h"
#include "designide/ComponentEditors.h"
#include "designide/Registration.h"
#include "dralvo/Consts.h"
#include "dralvo/DataSet.h"
#include "dralvo/Database.h"
#include "dralvo/Secrets.h"
#include "dralvo/UpdateSQL.h"
#include "rtl/system/SysUtils.h"
#include "vcl/Application.h"

namespace designer {

namespace {

std::optional<std::string> TakeOptional(TArgs& args, const std::string& name) {
  if (std::find(args.begin(), args.end(), name) == args.end()) return std::nullopt;
  return TakeOption(args, name);
}

std::optional<std::vector<std::string>> TakeNameList(TArgs& args, const std::string& name) {
  std::optional<std::string> text = TakeOptional(args, name);
  if (!text) return std::nullopt;
  std::vector<std::string> names;
  size_t start = 0;
  for (;;) {
    size_t comma = text->find(',', start);
    std::string item = rtl::Trim(text->substr(start, comma == std::string::npos ? std::string::npos : comma - start));
    if (item.empty()) throw EBadInput("Option " + name + " has an empty field name in \"" + *text + "\"");
    names.push_back(item);
    if (comma == std::string::npos) break;
    start = comma + 1;
  }
  return names;
}

void TellWhereItConnects(const dralvo::TDVUpdateSQL& update) {
  dralvo::TDVDataSet* dataSet = update.DataSet();
  if (dataSet == nullptr) return;
  dralvo::TDVDatabase* database = dataSet->FindDatabase();
  if (database == nullptr || database->Connected()) return;
  std::cerr << "Connecting to database " << database->DatabaseName() << " (" << dralvo::MaskPasswords(database->ResolvedTarget())
            << ") ...\n";
}

// The editor as the designer's context menu runs it: the component editor
// the package registered for the class, its UpdateSQL verb.
void RunEditor(TModuleSession& session, dralvo::TDVUpdateSQL& update) {
  if (const rtl::TClass* editorClass = designide::FindComponentEditorClass(update.ClassType())) {
    auto editor = designide::CreateComponentEditor(*editorClass, &update, &session);
    for (int i = 0; i < editor->GetVerbCount(); ++i) {
      if (editor->GetVerb(i) != dralvo::SUpdateSQLEditor) continue;
      editor->ExecuteVerb(i);
      return;
    }
  }
  throw rtl::Exception("The package offers no \"" + std::string(dralvo::SUpdateSQLEditor) + "\" verb for " +
                       update.ClassName());
}

}  // namespace

int RunUpdateSql(const TArgs& arguments) {
  TArgs args = arguments;
  std::string packageFile = TakeOption(args, "--package");
  TUpdateSqlSteps steps;
  steps.Table = TakeOptional(args, "--table");
  steps.TableFields = TakeFlag(args, "--table-fields");
  steps.PrimaryKeys = TakeFlag(args, "--primary-keys");
  steps.DataSetDefaults = TakeFlag(args, "--dataset-defaults");
  steps.Keys = TakeNameList(args, "--keys");
  steps.Update = TakeNameList(args, "--update");
  steps.Quote = TakeFlag(args, "--quote");
  steps.Generate = TakeFlag(args, "--generate");
  steps.Print = TakeFlag(args, "--print");
  steps.Save = TakeFlag(args, "--save");
  for (const std::string& arg : args)
    if (arg.rfind("--", 0) == 0) throw EBadInput("Unknown option for updatesql: " + arg);
  if (args.size() < 2) throw EBadInput("updatesql needs the data module file and the update object's name");
  const std::string moduleFile = args[0];
  const std::string objectName = args[1];
  args.erase(args.begin(), args.begin() + 2);
  NoMoreArgs(args, "updatesql");
  if (packageFile.empty()) packageFile = DefaultPackagePath();

  ChooseWidgetPlatform();
  std::unique_ptr<TModuleSession> opened = OpenModule(packageFile, moduleFile);
  TModuleSession& session = *opened;
  rtl::TComponent& component = session.Component(objectName);
  if (!rtl::Is<dralvo::TDVUpdateSQL>(&component))
    throw EBadInput(objectName + " is a " + component.ClassName() + ", not an update object (TDVUpdateSQL)");
  auto& update = static_cast<dralvo::TDVUpdateSQL&>(component);

  vcl::EnsureWidgetSystem();
  TUpdateSqlScript script(steps, std::cout, std::cerr);
  {
    vcl::ScopedAutomation automation(script);
    TellWhereItConnects(update);
    RunEditor(session, update);
  }
  if (steps.Save && !script.SaveRefused()) session.Save();
  return script.Failed() ? 1 : 0;
}

}  // namespace designer
