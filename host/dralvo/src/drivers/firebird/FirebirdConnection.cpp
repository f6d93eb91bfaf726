#include "FirebirdConnection.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <sstream>

#include "FirebirdCursor.h"
#include "FirebirdStatement.h"
#include "FirebirdStatus.h"
#include "FirebirdWatch.h"
#include "dralvo/Consts.h"
#include "dralvo/Secrets.h"
#include "rtl/system/SysUtils.h"

namespace dralvo {

namespace {
// A parameter block: a version byte, then items of a tag, a length byte
// and the value.
class TParamBlock {
 public:
  explicit TParamBlock(char version) { bytes_ += version; }
  void Text(char tag, const std::string& value) {
    bytes_ += tag;
    bytes_ += static_cast<char>(std::min<size_t>(value.size(), 255));
    bytes_.append(value, 0, 255);
  }
  void Number(char tag, int32_t value) {
    bytes_ += tag;
    bytes_ += static_cast<char>(sizeof value);
    for (size_t i = 0; i < sizeof value; ++i) bytes_ += static_cast<char>((value >> (8 * i)) & 0xFF);
  }
  void Flag(char tag) { bytes_ += tag; }
  const std::string& Bytes() const { return bytes_; }

 private:
  std::string bytes_;
};

int Seconds(int ms) { return ms <= 0 ? 0 : (ms + 999) / 1000; }

std::string TransactionBlock(bool readOnly, int lockMs) {
  TParamBlock tpb(isc_tpb_version3);
  tpb.Flag(readOnly ? isc_tpb_read : isc_tpb_write);
  tpb.Flag(isc_tpb_read_committed);
  tpb.Flag(isc_tpb_rec_version);
  tpb.Flag(isc_tpb_wait);
  if (lockMs > 0) tpb.Number(isc_tpb_lock_timeout, Seconds(lockMs));
  return tpb.Bytes();
}

// A wait for a row or table another transaction holds gave up. A record
// lock that outlasts the lock time-out is reported as an update conflict;
// in a read-committed transaction that is all it can mean.
bool LockWaitRanOut(const TFirebirdStatus& status) {
  return status.Has(isc_lock_timeout) || status.Has(isc_lock_conflict) || status.Has(isc_deadlock) ||
         status.Has(isc_update_conflict);
}

// The words of a statement in upper case, a final ";" dropped.
std::vector<std::string> Words(const std::string& sql) {
  std::string text = rtl::Trim(sql);
  if (!text.empty() && text.back() == ';') text.pop_back();
  std::istringstream in(rtl::UpperCase(text));
  std::vector<std::string> words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}
}  // namespace

TFirebirdConnection::TFirebirdConnection(const TDVConnectParams& params)
    : TDVConnection(DialectOf(TDVServerType::stFirebird), MaskPasswords(params.Target)),
      target_(ParseFirebirdTarget(params.Target)),
      waits_(params.Waits) {
  if (!params.UserName.empty()) target_.User = params.UserName;
  if (!params.Password.empty()) target_.Password = params.Password;
  TParamBlock dpb(isc_dpb_version1);
  if (!target_.User.empty()) dpb.Text(isc_dpb_user_name, target_.User);
  if (!target_.Password.empty()) dpb.Text(isc_dpb_password, target_.Password);
  dpb.Text(isc_dpb_lc_ctype, "UTF8");
  // A file is opened by the embedded engine only, a URL reaches a server
  // only, whatever the machine's configuration lists.
  dpb.Text(isc_dpb_config, target_.Embedded() ? "Providers = Engine12" : "Providers = Remote");
  const int connectSeconds = std::max(waits_.ConnectSeconds, 1);
  if (!target_.Embedded()) dpb.Number(isc_dpb_connect_timeout, connectSeconds);
  TFirebirdStatus status;
  const std::string attach = target_.AttachString();
  const auto began = std::chrono::steady_clock::now();
  if (isc_attach_database(status.Vector(), 0, attach.c_str(), &db_, static_cast<short>(dpb.Bytes().size()),
                          dpb.Bytes().data()) != 0) {
    db_ = 0;
    std::string message = status.Message();
    const auto waited = std::chrono::steady_clock::now() - began;
    if (!target_.Embedded() && waited >= std::chrono::seconds(connectSeconds) - std::chrono::milliseconds(100))
      message += " (no answer from " + target_.Where() + " within " + std::to_string(connectSeconds) + " s)";
    RaiseConnectFailed(message);
  }
  watch_ = std::make_unique<TFirebirdWatch>(&db_);
}

TFirebirdConnection::~TFirebirdConnection() {
  // Cursors end before their connection.
  watch_.reset();
  if (tr_ != 0) End(tr_, false, false);
  TFirebirdStatus status;
  isc_detach_database(status.Vector(), &db_);
}

void TFirebirdConnection::Fail(const TFirebirdStatus& status) const {
  switch (watch_ != nullptr ? watch_->LastStop() : TFirebirdWatch::TStop::None) {
    case TFirebirdWatch::TStop::Limit:
      RaiseServerError(rtl::Format(SWaitLimitReached, {int64_t{waits_.StatementMs}}), true);
    case TFirebirdWatch::TStop::Asked:
      RaiseServerError(SQueryCancelled);
    case TFirebirdWatch::TStop::None:
      break;
  }
  if (LockWaitRanOut(status))
    RaiseServerError(status.Message() + " (waited " + std::to_string(Seconds(waits_.LockMs)) +
                         " s for a lock held by another transaction)",
                     true);
  RaiseServerError(status.Message());
}

isc_tr_handle TFirebirdConnection::Start(bool readOnly) {
  const std::string tpb = TransactionBlock(readOnly, waits_.LockMs);
  TFirebirdStatus status;
  isc_tr_handle tr = 0;
  if (isc_start_transaction(status.Vector(), &tr, 1, &db_, static_cast<unsigned short>(tpb.size()), tpb.data()) != 0)
    Fail(status);
  return tr;
}

void TFirebirdConnection::End(isc_tr_handle& tr, bool commit, bool raise) {
  if (tr == 0) return;
  TFirebirdStatus status;
  if ((commit ? isc_commit_transaction : isc_rollback_transaction)(status.Vector(), &tr) == 0) return;
  // A transaction that cannot be committed is rolled back, never left open.
  TFirebirdStatus undoing;
  if (commit) isc_rollback_transaction(undoing.Vector(), &tr);
  tr = 0;
  if (raise) Fail(status);
}

void TFirebirdConnection::ParkCursors() {
  for (TFirebirdCursor* c : std::vector<TFirebirdCursor*>(onTransaction_)) c->Park();
  onTransaction_.clear();
}

bool TFirebirdConnection::ControlTransaction(const std::string& sql) {
  const std::vector<std::string> w = Words(sql);
  if (w.empty()) return false;
  const bool begin = (w[0] == "BEGIN" && (w.size() == 1 || (w.size() == 2 && (w[1] == "WORK" || w[1] == "TRANSACTION"))));
  const bool start = w.size() >= 2 && w[0] == "START" && w[1] == "TRANSACTION" &&
                     (w.size() == 2 || (w.size() == 4 && w[2] == "READ" && (w[3] == "ONLY" || w[3] == "WRITE")));
  const bool set = w.size() >= 2 && w[0] == "SET" && w[1] == "TRANSACTION";
  const bool end = (w[0] == "COMMIT" || w[0] == "ROLLBACK") && (w.size() == 1 || (w.size() == 2 && w[1] == "WORK"));
  if (!begin && !start && !set && !end) return false;
  if (end) {
    ParkCursors();
    End(tr_, w[0] == "COMMIT");
    return true;
  }
  if (tr_ != 0) RaiseServerError("a transaction is already active");
  if (!set) {
    tr_ = Start(start && w.size() == 4 && w[3] == "ONLY");
    return true;
  }
  // Firebird's own statement, with its own options, starts the transaction.
  TFirebirdStatus status;
  if (isc_dsql_execute_immediate(status.Vector(), &db_, &tr_, 0, sql.c_str(), SQL_DIALECT_V6, nullptr) != 0)
    Fail(status);
  return true;
}

isc_tr_handle* TFirebirdConnection::StatementTransaction(isc_tr_handle& own, bool readOnly) {
  if (tr_ != 0) return &tr_;
  own = Start(readOnly);
  return &own;
}

TDVResult TFirebirdConnection::Run(isc_tr_handle* tr, const std::string& sql, const std::vector<db::TValue>& params) {
  TFirebirdStatement st(&db_);
  TDVResult result;
  {
    TFirebirdWatch::TScope watched(*watch_, nullptr, waits_.StatementMs);
    if (!st.Prepare(tr, sql)) Fail(st.Status());
    if (st.ParamCount() != static_cast<int>(params.size()))
      RaiseServerError("the statement takes " + std::to_string(st.ParamCount()) + " parameters, " +
                       std::to_string(params.size()) + " given");
    if (!st.Bind(tr, params) || !st.Execute(tr)) Fail(st.Status());
    result.Columns = st.Columns();
    std::vector<db::TValue> row;
    for (int got; (got = st.Fetch(tr, row)) != 0; result.Rows.push_back(std::move(row)))
      if (got < 0) Fail(st.Status());
  }
  result.RowsAffected = st.HasRows() ? static_cast<int64_t>(result.Rows.size()) : st.RowsChanged();
  return result;
}

TDVResult TFirebirdConnection::Execute(const std::string& sql, const std::vector<db::TValue>& params) {
  if (params.empty() && ControlTransaction(sql)) return {};
  return RunInTransaction(sql, params, false);
}

TDVResult TFirebirdConnection::Read(const std::string& sql, const std::vector<db::TValue>& params) {
  return RunInTransaction(sql, params, true);
}

TDVResult TFirebirdConnection::RunInTransaction(const std::string& sql, const std::vector<db::TValue>& params,
                                                bool readOnly) {
  isc_tr_handle own = 0;
  isc_tr_handle* tr = StatementTransaction(own, readOnly);
  try {
    TDVResult result = Run(tr, sql, params);
    End(own, true);
    return result;
  } catch (...) {
    End(own, false, false);
    throw;
  }
}

std::unique_ptr<TDVCursor> TFirebirdConnection::OpenCursor(const std::string& sql,
                                                           const std::vector<db::TValue>& params,
                                                           std::shared_ptr<TDVInterrupt> interrupt) {
  return std::make_unique<TFirebirdCursor>(*this, sql, params, std::move(interrupt));
}

std::vector<TDVColumnDesc> TFirebirdConnection::Prepared(const std::string& sql, std::string* refused) {
  isc_tr_handle own = 0;
  isc_tr_handle* tr = StatementTransaction(own, true);
  TFirebirdStatement st(&db_);
  bool prepared = false;
  try {
    TFirebirdWatch::TScope watched(*watch_, nullptr, waits_.StatementMs);
    prepared = st.Prepare(tr, sql);
    // A lock wait or a statement stopped is no verdict on the statement,
    // and a lost connection none either.
    const TFirebirdStatus& status = st.Status();
    const bool verdict = !LockWaitRanOut(status) && !status.Has(isc_cancelled) && !status.Has(isc_network_error) &&
                         !status.Has(isc_net_read_err) && !status.Has(isc_att_shutdown) &&
                         watch_->LastStop() == TFirebirdWatch::TStop::None;
    if (!prepared && (refused == nullptr || !verdict)) Fail(status);
    if (!prepared) *refused = status.Message();
  } catch (...) {
    End(own, false, false);
    throw;
  }
  End(own, true, false);
  return prepared ? st.Columns() : std::vector<TDVColumnDesc>{};
}

std::vector<TDVColumnDesc> TFirebirdConnection::Describe(const std::string& sql) { return Prepared(sql, nullptr); }

std::string TFirebirdConnection::PrepareOnly(const std::string& sql) {
  std::string refused;
  Prepared(sql, &refused);
  return refused;
}

std::string TFirebirdConnection::ServerVersion() {
  TDVResult r = Read("select rdb$get_context('SYSTEM', 'ENGINE_VERSION') from rdb$database", {});
  return r.Rows.empty() ? std::string() : r.Rows[0][0].AsString();
}

std::vector<std::string> TFirebirdConnection::Column(const std::string& sql, const std::vector<db::TValue>& params) {
  TDVResult r = Read(sql, params);
  std::vector<std::string> out;
  out.reserve(r.Rows.size());
  for (auto& row : r.Rows) out.push_back(row[0].AsString());
  return out;
}

}  // namespace dralvo
