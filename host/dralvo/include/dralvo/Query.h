#pragma once
// TDVQuery: a dataset given by SQL text with ":name" parameters, which are
// always bound, never pasted into the text.
#include <memory>

#include "dralvo/DataSet.h"
#include "rtl/text/Strings.h"

namespace dralvo {

class TDVQuery : public TDVDataSet {
  RTL_CLASS(TDVQuery)
 public:
  explicit TDVQuery(rtl::TComponent* owner);
  ~TDVQuery() override;

  rtl::TStrings* SQL() const { return sql_.get(); }
  db::TParams* Params() const { return params_.get(); }
  db::TParam* ParamByName(const std::string& name) const { return params_->ParamByName(name); }
  // Runs a statement that returns no records; RowsAffected tells the count.
  void ExecSQL();
  int64_t RowsAffected() const { return rowsAffected_; }

 protected:
  std::string SelectSQL() const override;
  const db::TParams* SelectParams() const override { return params_.get(); }
  // The text sent to the server (macros substituted in TDVMacroQuery).
  virtual std::string ExpandedSQL() const;
  virtual void SQLChanged();

 private:
  std::unique_ptr<rtl::TStringList> sql_;
  std::unique_ptr<db::TParams> params_;
  int64_t rowsAffected_ = -1;
};

}  // namespace dralvo
