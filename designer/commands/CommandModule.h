#pragma once
// The module core (core/DesignModule) as a command opens it: the package
// of --package loaded, the data module of the first operand read for
// design, progress on standard error. Either one that cannot be read is
// input the program cannot read (EBadInput, exit 2).
#include <memory>
#include <string>

#include "Commands.h"
#include "core/DesignModule.h"
#include "core/DesignPackage.h"

namespace dralvo {
class TDVDataSet;
}

namespace designer {

// "Loading package FILE ..." is told when `tell`.
std::unique_ptr<TDesignPackage> LoadPackage(const TArgs& args, bool tell = true);
std::unique_ptr<TDesignModule> OpenModule(const TArgs& args);
// Links the runtime changes on its own while modules load (one update
// object named by two datasets) are told on standard error, not dropped
// silently.
void TellDesignNotices();
// The component named by the operand at `operand`; EBadInput naming the
// module when it holds none.
rtl::TComponent& ComponentOf(const TDesignModule& module, const TArgs& args, size_t operand);

// Says on standard error "Connecting to database NAME (TARGET) ..." before
// a command connects the dataset's database; nothing when it has none or is
// connected. The target is shown as its driver reads it, password masked.
void TellWhereItConnects(const dralvo::TDVDataSet* dataSet);

// Saves the module (see TDesignModule::Save) and says on standard error
// whether it did: "Saved FILE", or that nothing changed.
void SaveModule(TDesignModule& module, const TArgs& args);

}  // namespace designer
