#include "SprigsFixture.h"

#include "SprigDump.h"

namespace sprigtest {

void SprigsTest::SetUp() {
  LoadedPackage::SetUp();
  module_ = std::make_unique<rtl::TComponent>(nullptr);
  module_->SetName("Module");
  designer_ = std::make_unique<dvtest::TCountingDesigner>(module_.get());
}

void SprigsTest::TearDown() {
  tree_.reset();
  module_.reset();
  LoadedPackage::TearDown();
}

dralvo::TDVSession* SprigsTest::Session(const std::string& name, const std::string& sessionName) {
  auto* session = new dralvo::TDVSession(module_.get());
  session->SetName(name);
  session->SetSessionName(sessionName);
  return session;
}

dralvo::TDVDatabase* SprigsTest::Database(const std::string& name, const std::string& databaseName,
                                          const std::string& sessionName) {
  auto* database = new dralvo::TDVDatabase(module_.get());
  database->SetName(name);
  database->SetDatabaseName(databaseName);
  database->SetSessionName(sessionName);
  return database;
}

dralvo::TDVQuery* SprigsTest::Query(const std::string& name, const std::string& databaseName,
                                    const std::string& sessionName, const std::vector<std::string>& sql) {
  auto* query = new dralvo::TDVQuery(module_.get());
  query->SetName(name);
  query->SetDatabaseName(databaseName);
  query->SetSessionName(sessionName);
  for (const std::string& line : sql) query->SQL()->Add(line);
  return query;
}

designide::TSprigTree& SprigsTest::Build() {
  tree_ = std::make_unique<designide::TSprigTree>(designer_.get());
  tree_->Build(module_.get());
  return *tree_;
}

designide::TSprig* SprigsTest::Node(const std::string& componentName) {
  rtl::TComponent* component = module_->FindComponent(componentName);
  return component != nullptr ? tree_->NodeFor(component) : nullptr;
}

std::string SprigsTest::Dump() { return dvtest::DumpSprigs(tree_->Root()); }

}  // namespace sprigtest
