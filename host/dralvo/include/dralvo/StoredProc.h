#pragma once
// TDVStoredProc: a server function or procedure, its parameters described
// from the server's catalog.
#include <memory>

#include "dralvo/DataSet.h"

namespace dralvo {

struct TDVProcDesc;

class TDVStoredProc : public TDVDataSet {
  RTL_CLASS(TDVStoredProc)
 public:
  explicit TDVStoredProc(rtl::TComponent* owner);
  ~TDVStoredProc() override;

  const std::string& StoredProcName() const { return storedProcName_; }
  void SetStoredProcName(const std::string& name);
  db::TParams* Params() const { return params_.get(); }
  db::TParam* ParamByName(const std::string& name) const { return params_->ParamByName(name); }

  // Describes the procedure from the catalog and fills Params (keeping
  // values of same-named parameters). Raises for an unknown procedure or a
  // server without procedures.
  void Prepare();
  void UnPrepare();
  bool Prepared() const { return prepared_; }
  void SetPrepared(bool prepared);
  // True when the server describes procedures (so Params come from it).
  bool DescriptionsAvailable() const;
  uint16_t GetParamsCount() const { return static_cast<uint16_t>(params_->Count()); }
  TDVDatabase* BoundDatabase() const override;
  // Runs the procedure; output values land in the output parameters.
  void ExecProc();

 protected:
  std::string SelectSQL() const override;
  const db::TParams* SelectParams() const override;

 private:
  std::string CallSQL(db::TParams& bound) const;

  std::string storedProcName_;
  std::unique_ptr<db::TParams> params_;
  std::unique_ptr<TDVProcDesc> desc_;
  bool prepared_ = false;
  mutable std::unique_ptr<db::TParams> bound_;
};

}  // namespace dralvo
