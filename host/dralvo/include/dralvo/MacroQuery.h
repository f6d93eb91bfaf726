#pragma once
// TDVMacroQuery: a query whose text holds macros ("&name"), replaced by the
// macros' values before the statement is sent. Macro values are SQL text
// chosen by the developer; parameters stay bound.
#include <memory>

#include "dralvo/Query.h"

namespace dralvo {

class TDVMacroQuery : public TDVQuery {
  RTL_CLASS(TDVMacroQuery)
 public:
  explicit TDVMacroQuery(rtl::TComponent* owner);
  ~TDVMacroQuery() override;

  static constexpr char MacroChar = '&';
  db::TParams* Macros() const { return macros_.get(); }
  db::TParams* GetMacros() const { return macros_.get(); }
  db::TParam* MacroByName(const std::string& name) const { return macros_->ParamByName(name); }
  // Re-reads the macro names from the SQL text, keeping known values.
  void RefreshMacros();

 protected:
  std::string ExpandedSQL() const override;
  void SQLChanged() override;

 private:
  std::unique_ptr<db::TParams> macros_;
};

}  // namespace dralvo
