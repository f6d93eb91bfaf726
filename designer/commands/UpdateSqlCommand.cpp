// dvdesigner updatesql FILE OBJECT [--table TEXT] [--table-fields]
//   [--primary-keys] [--dataset-defaults] [--keys A,B,...] [--update A,B,...]
//   [--quote] [--generate] [--print] [--save] [--package FILE]
// Opens the package's UpdateSQL editor on the update object OBJECT of the
// data module FILE, as its context-menu verb does, and acts in it through
// the modal seam (see UpdateSqlScript.h). With --save the module is written
// back when the editor accepts.
#include <iostream>

#include "Commands.h"
#include "CommandModule.h"
#include "UpdateSqlScript.h"
#include "designide/ComponentEditors.h"
#include "designide/Registration.h"
#include "dralvo/Consts.h"
#include "dralvo/DataSet.h"
#include "dralvo/Database.h"
#include "dralvo/UpdateSQL.h"
#include "rtl/system/SysUtils.h"
#include "vcl/Application.h"

namespace designer {

namespace {

std::optional<std::vector<std::string>> NameList(const TArgs& args, const std::string& name) {
  std::optional<std::string> text = args.Value(name);
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

// The editor as the designer's context menu runs it: the component editor
// the package registered for the class, its UpdateSQL verb.
void RunEditor(TDesignModule& module, dralvo::TDVUpdateSQL& update) {
  if (const rtl::TClass* editorClass = designide::FindComponentEditorClass(update.ClassType())) {
    auto editor = designide::CreateComponentEditor(*editorClass, &update, &module);
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

int RunUpdateSql(const TArgs& args) {
  TUpdateSqlSteps steps;
  steps.Table = args.Value("--table");
  steps.TableFields = args.Flag("--table-fields");
  steps.PrimaryKeys = args.Flag("--primary-keys");
  steps.DataSetDefaults = args.Flag("--dataset-defaults");
  steps.Keys = NameList(args, "--keys");
  steps.Update = NameList(args, "--update");
  steps.Quote = args.Flag("--quote");
  steps.Generate = args.Flag("--generate");
  steps.Print = args.Flag("--print");
  steps.Save = args.Flag("--save");

  ChooseWidgetPlatform();
  std::unique_ptr<TDesignModule> module = OpenModule(args);
  rtl::TComponent& component = ComponentOf(*module, args, 1);
  if (!rtl::Is<dralvo::TDVUpdateSQL>(&component))
    throw EBadInput(args.Operand(1) + " is a " + component.ClassName() + ", not an update object (TDVUpdateSQL)");
  auto& update = static_cast<dralvo::TDVUpdateSQL&>(component);

  vcl::EnsureWidgetSystem();
  TUpdateSqlScript script(steps, std::cout, std::cerr);
  {
    vcl::ScopedAutomation automation(script);
    TellWhereItConnects(update.DataSet());
    RunEditor(*module, update);
  }
  if (steps.Save && !script.SaveRefused()) SaveModule(*module, args);
  return script.Failed() ? 1 : 0;
}

}  // namespace designer
