#pragma once
// A module of the runtime's components in a test, and its Structure view
// built by the framework from the sprig classes the loaded package
// registered. Tree and module go before the package is unloaded.
#include <memory>
#include <string>
#include <vector>

#include "EditorsTestSupport.h"
#include "designide/SprigTree.h"
#include "dralvo/Engine.h"

namespace sprigtest {

class SprigsTest : public edtest::LoadedPackage {
 protected:
  void SetUp() override;
  void TearDown() override;

  dralvo::TDVSession* Session(const std::string& name, const std::string& sessionName);
  dralvo::TDVDatabase* Database(const std::string& name, const std::string& databaseName,
                                const std::string& sessionName = "");
  dralvo::TDVQuery* Query(const std::string& name, const std::string& databaseName,
                          const std::string& sessionName = "", const std::vector<std::string>& sql = {"select 1"});
  // Builds the tree afresh.
  designide::TSprigTree& Build();
  // The node of the component of that name.
  designide::TSprig* Node(const std::string& componentName);
  std::string Dump();

  std::unique_ptr<rtl::TComponent> module_;
  std::unique_ptr<dvtest::TCountingDesigner> designer_;
  std::unique_ptr<designide::TSprigTree> tree_;
};

}  // namespace sprigtest
