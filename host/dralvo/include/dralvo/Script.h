#pragma once
// TDVScript: runs a text of several statements separated by ";".
#include <memory>
#include <string>
#include <vector>

#include "rtl/objects/Component.h"
#include "rtl/text/Strings.h"

namespace dralvo {

class TDVSession;
class TDVDatabase;

class TDVScript : public rtl::TComponent {
  RTL_CLASS(TDVScript)
 public:
  explicit TDVScript(rtl::TComponent* owner);
  ~TDVScript() override;

  const std::string& DatabaseName() const { return databaseName_; }
  void SetDatabaseName(const std::string& name) { databaseName_ = name; }
  const std::string& SessionName() const { return sessionName_; }
  void SetSessionName(const std::string& name) { sessionName_ = name; }
  rtl::TStrings* SQL() const { return sql_.get(); }

  TDVSession* GetDBSession() const;
  TDVDatabase* Database() const;  // raises when there is none
  // Runs every statement in order; stops at the first failure.
  void ExecSQL();

 private:
  std::string databaseName_;
  std::string sessionName_;
  std::unique_ptr<rtl::TStringList> sql_;
};

// Splits a script into statements at ";" outside quotes, comments and
// dollar-quoted bodies; blank statements are dropped.
std::vector<std::string> SplitStatements(const std::string& script);

}  // namespace dralvo
