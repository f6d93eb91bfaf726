// dvdesigner check FILE|FOLDER... [OBJECT...] [--format text|json|sarif]
// [--package FILE]: checks the stored statements of every update object of
// each data module (or of those named after it) against the live database
// of its dataset, changing no row and never writing a module. The package
// is loaded once; the modules are read one after the other, each freed
// before the next (the runtime knows their databases by name). Findings go
// to standard output in the format asked for, each at its place in its
// module file (commands/CheckReports.h); progress and a summary go to
// standard error. Exit 0 when everything holds, 1 when something does not,
// 2 when a module could not be read or something could not be checked
// (the other modules are checked and reported all the same), or for bad
// usage.
#include <iostream>

#include "Commands.h"
#include "CommandModule.h"
#include "OutputText.h"
#include "commands/CheckReports.h"
#include "commands/CheckTargets.h"
#include "dralvo/DataSet.h"
#include "dralvo/Database.h"
#include "dralvo/UpdateSQL.h"
#include "rtl/forms/FormFiles.h"

namespace designer {

namespace {
constexpr int kFailed = 1;
constexpr int kCannotCheck = 2;

using TWriter = void (*)(std::ostream&, const std::vector<TPlacedFinding>&);

TWriter WriterOf(const TArgs& args) {
  const std::string format = args.Value("--format").value_or("text");
  if (format == "text") return &WriteTextReport;
  if (format == "json") return &WriteJsonReport;
  if (format == "sarif") return &WriteSarifReport;
  throw EBadInput("--format takes text, json or sarif, not \"" + format + "\"");
}

std::string Plural(int n, const char* one, const char* many) {
  return std::to_string(n) + " " + (n == 1 ? one : many);
}

class TCheckRun {
 public:
  void Check(const TCheckTarget& target) {
    if (!target.Problem.empty()) {
      findings_.push_back(ModuleNotChecked(target.File, target.Problem));
      return;
    }
    std::cerr << "Reading " << ForTerminal(target.File) << " ...\n";
    rtl::TFormPositions positions;
    std::unique_ptr<TDesignModule> module;
    try {
      module = TDesignModule::Open(target.File, nullptr, &positions);
    } catch (const rtl::EFormFileError& e) {  // at the reader's place
      findings_.push_back(ModuleNotChecked(target.File, e.Reason(), {e.Line(), e.Column()}));
      return;
    } catch (const std::exception& e) {
      findings_.push_back(ModuleNotChecked(target.File, e.what()));
      return;
    }
    ++modules_;
    try {
      for (dralvo::TDVDataSetUpdateObject* update : UpdateObjects(target, *module, positions))
        CheckObject(*update, target.File, positions);
    } catch (const std::exception& e) {  // the runtime failed on the way; the next module may fare better
      findings_.push_back(ModuleNotChecked(target.File, e.what()));
    }
  }

  const std::vector<TPlacedFinding>& Findings() const { return findings_; }

  // "Checked 2 modules, 3 update objects, 12 statements: 1 finding, 1 not checked".
  std::string Summary() const {
    int unchecked = 0;
    for (const TPlacedFinding& f : findings_) unchecked += f.Unchecked() ? 1 : 0;
    const int found = static_cast<int>(findings_.size()) - unchecked;
    return "Checked " + Plural(modules_, "module", "modules") + ", " +
           Plural(objects_, "update object", "update objects") + ", " +
           Plural(statements_, "statement", "statements") + ": " + Plural(found, "finding", "findings") +
           (unchecked > 0 ? ", " + std::to_string(unchecked) + " not checked" : "");
  }

  int ExitCode() const {
    bool found = false;
    for (const TPlacedFinding& f : findings_) {
      if (f.Unchecked()) return kCannotCheck;
      found = true;
    }
    return found ? kFailed : 0;
  }

 private:
  // The objects named after the module, or all of its update objects.
  std::vector<dralvo::TDVDataSetUpdateObject*> UpdateObjects(const TCheckTarget& target, const TDesignModule& module,
                                                             const rtl::TFormPositions& positions) {
    std::vector<dralvo::TDVDataSetUpdateObject*> out;
    const rtl::TComponent& root = module.Root();
    for (const std::string& name : target.Objects) {
      rtl::TComponent* component = root.FindComponent(name);
      if (component == nullptr) {
        findings_.push_back(ModuleNotChecked(target.File, "the module has no component named \"" + name + "\""));
      } else if (auto* update = dynamic_cast<dralvo::TDVDataSetUpdateObject*>(component)) {
        out.push_back(update);
      } else {
        TPlacedFinding f = ModuleNotChecked(target.File, name + " is a " + component->ClassName() +
                                                             ", not an update object",
                                            positions.ObjectPlace(name));
        f.Component = name;
        findings_.push_back(std::move(f));
      }
    }
    if (!target.Objects.empty()) return out;
    for (int i = 0; i < root.ComponentCount(); ++i)
      if (auto* update = dynamic_cast<dralvo::TDVDataSetUpdateObject*>(root.Components(i))) out.push_back(update);
    // A module found under a folder may well hold none; one named has
    // nothing to check.
    if (out.empty() && !target.Found)
      findings_.push_back(ModuleNotChecked(target.File, "the module has no update object"));
    return out;
  }

  void CheckObject(dralvo::TDVDataSetUpdateObject& update, const std::string& file,
                   const rtl::TFormPositions& positions) {
    std::cerr << "Checking " << update.Name() << " ...\n";
    TellWhereItConnects(update.DataSet());
    const dralvo::TDVCheckResult result = dralvo::CheckUpdateObject(update);
    ++objects_;
    statements_ += result.Statements;
    PlaceFindings(result, file, update.Name(), update.DataSet() != nullptr ? update.DataSet()->Name() : "",
                  positions, findings_);
  }

  std::vector<TPlacedFinding> findings_;
  int modules_ = 0;
  int objects_ = 0;
  int statements_ = 0;
};
}  // namespace

int RunCheck(const TArgs& args) {
  const TWriter write = WriterOf(args);
  const std::vector<TCheckTarget> targets = CheckTargets(args.Operands());
  // Loaded once, and unloaded after the last module is freed.
  std::unique_ptr<TDesignPackage> package = LoadPackage(args);
  TellDesignNotices();
  TCheckRun run;
  for (const TCheckTarget& target : targets) run.Check(target);
  write(std::cout, run.Findings());
  std::cout.flush();
  std::cerr << run.Summary() << "\n";
  return run.ExitCode();
}

}  // namespace designer
