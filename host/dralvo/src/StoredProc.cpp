#include "dralvo/StoredProc.h"

#include "Errors.h"
#include "dralvo/Consts.h"
#include "dralvo/Database.h"
#include "drivers/Driver.h"
#include "rtl/objects/ClassBuilder.h"

namespace dralvo {

const rtl::TClass& TDVStoredProc::StaticClass() {
  static const rtl::TClass cls =
      rtl::ClassBuilder<TDVStoredProc>("TDVStoredProc", &TDVDataSet::StaticClass())
          .Creatable()
          .Str("StoredProcName", &TDVStoredProc::StoredProcName, &TDVStoredProc::SetStoredProcName)
          .Owned("Params", rtl::ClassTypeInfo(db::TParams::StaticClass()), &TDVStoredProc::Params)
          .Build();
  return cls;
}

TDVStoredProc::TDVStoredProc(rtl::TComponent* owner)
    : TDVDataSet(owner), params_(std::make_unique<db::TParams>(this)) {}

TDVStoredProc::~TDVStoredProc() = default;

void TDVStoredProc::SetStoredProcName(const std::string& name) {
  if (name == storedProcName_) return;
  CheckInactive();
  UnPrepare();
  storedProcName_ = name;
  // Parameters of another procedure mean nothing here; a form file reads
  // the name before the parameters, so they survive loading.
  if (!IsLoading()) params_->Clear();
}

void TDVStoredProc::SetPrepared(bool prepared) {
  if (prepared)
    Prepare();
  else
    UnPrepare();
}

bool TDVStoredProc::DescriptionsAvailable() const {
  TDVDatabase* db = FindDatabase();
  if (db == nullptr) return false;
  if (db->Connected()) return db->Connection().SupportsStoredProcs();
  return db->ServerType() == TDVServerType::stPostgreSQL || db->ServerType() == TDVServerType::stFirebird;
}

// A prepared procedure was described on its database; the database is
// looked up again rather than remembered, so that a freed one is never seen.
TDVDatabase* TDVStoredProc::BoundDatabase() const {
  if (TDVDatabase* db = TDVDataSet::BoundDatabase()) return db;
  return prepared_ ? FindDatabase() : nullptr;
}

void TDVStoredProc::Prepare() {
  if (prepared_) return;
  if (storedProcName_.empty()) throw rtl::EDatabaseError(DisplayNameForErrors() + ": " + SStoredProcNameMissing);
  TDVDatabase* db = Database();
  db->Open();
  TDVConnection& conn = db->Connection();
  if (!conn.SupportsStoredProcs()) RaiseDatabaseError(SNoStoredProcs, {GetServerTypeName(conn.ServerType())});
  auto desc = std::make_unique<TDVProcDesc>();
  if (!conn.DescribeStoredProc(storedProcName_, *desc)) RaiseDatabaseError(SStoredProcNotFound, {storedProcName_});
  db::TParams fresh;
  for (const TDVProcParam& p : desc->Params) {
    db::TParam* param = fresh.CreateParam(p.DataType, p.Name, p.ParamType);
    if (db::TParam* old = params_->FindParam(p.Name)) param->SetValue(old->Value());
  }
  params_->Assign(fresh);
  desc_ = std::move(desc);
  prepared_ = true;
}

void TDVStoredProc::UnPrepare() {
  prepared_ = false;
  desc_.reset();
}

std::string TDVStoredProc::CallSQL(db::TParams& bound) const {
  if (!prepared_) const_cast<TDVStoredProc*>(this)->Prepare();
  // Arguments travel as bound parameters named by position, so that no
  // parameter name needs quoting in the text.
  bound.Clear();
  std::string args;
  int n = 0;
  for (const TDVProcParam& p : desc_->Params) {
    if (p.ParamType == db::TParamType::ptResult) continue;
    bool input = p.ParamType == db::TParamType::ptInput || p.ParamType == db::TParamType::ptInputOutput;
    if (!input && !desc_->IsProcedure) continue;  // a function's outputs are its result columns
    if (!args.empty()) args += ", ";
    if (!input) {
      args += "null";
      continue;
    }
    std::string name = "p" + std::to_string(++n);
    db::TParam* src = params_->ParamByName(p.Name);
    db::TParam* b = bound.CreateParam(src->DataType(), name, db::TParamType::ptInput);
    b->SetValue(src->Value());
    args += ":" + name;
  }
  if (desc_->ScalarFunction) return "select " + desc_->CallName + "(" + args + ")";
  if (desc_->ExecuteProcedure) return "execute procedure " + desc_->CallName + (args.empty() ? "" : "(" + args + ")");
  return (desc_->IsProcedure ? "call " : "select * from ") + desc_->CallName + "(" + args + ")";
}

std::string TDVStoredProc::SelectSQL() const {
  if (!bound_) bound_ = std::make_unique<db::TParams>();
  return CallSQL(*bound_);
}

const db::TParams* TDVStoredProc::SelectParams() const { return bound_.get(); }

void TDVStoredProc::ExecProc() {
  CheckInactive();
  db::TParams bound;
  std::string sql = CallSQL(bound);
  TDVResult result = ExecuteOnDatabase(sql, &bound);
  if (result.Rows.empty()) return;
  const auto& row = result.Rows.front();
  for (int i = 0; i < params_->Count(); ++i) {
    db::TParam* p = params_->Items(i);
    if (p->ParamType() == db::TParamType::ptInput || p->ParamType() == db::TParamType::ptUnknown) continue;
    for (size_t c = 0; c < result.Columns.size(); ++c) {
      bool match = rtl::AnsiSameText(result.Columns[c].Name, p->Name()) ||
                   (p->ParamType() == db::TParamType::ptResult && result.Columns.size() == 1);
      if (match) {
        p->SetValue(row[c]);
        break;
      }
    }
  }
}

}  // namespace dralvo
