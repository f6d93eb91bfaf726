#pragma once
// Firebird databases for the tests, made and changed through Firebird's
// client library itself, never through the code under test: files of the
// embedded engine in a test's own folder, and databases on the private
// server of the test run (tools/with-firebird.sh).
#include <gtest/gtest.h>
#include <ibase.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace dvtest {

inline std::string FirebirdEnv(const char* name) {
  const char* v = std::getenv(name);
  return v != nullptr ? v : "";
}

// True when DV_FIREBIRD_URL names a server.
inline bool FirebirdConfigured() { return !FirebirdEnv("DV_FIREBIRD_URL").empty(); }

inline std::string FirebirdMessage(const ISC_STATUS* status) {
  std::string out;
  char line[512];
  while (fb_interpret(line, sizeof line, &status) > 0) out += std::string(out.empty() ? "" : "; ") + line;
  return out;
}

// An attachment of the test's own: `target` is a file (the embedded
// engine) or host/port:path on the server of the test run.
class FirebirdAttachment {
 public:
  FirebirdAttachment(const std::string& target, bool create) {
    std::string dpb(1, isc_dpb_version1);
    auto add = [&](char tag, const std::string& value) {
      dpb += tag;
      dpb += static_cast<char>(value.size());
      dpb += value;
    };
    add(isc_dpb_user_name, FirebirdConfigured() ? FirebirdEnv("DV_FIREBIRD_USER") : "SYSDBA");
    if (FirebirdConfigured()) add(isc_dpb_password, FirebirdEnv("DV_FIREBIRD_PASSWORD"));
    add(isc_dpb_lc_ctype, "UTF8");
    if (create) {
      // Dialect 3, as the runtime speaks, without waiting for the disk on
      // each commit: the files live as long as a test.
      add(isc_dpb_set_db_charset, "UTF8");
      dpb += {isc_dpb_sql_dialect, 4, 3, 0, 0, 0, isc_dpb_force_write, 4, 0, 0, 0, 0};
    }
    ISC_STATUS_ARRAY status;
    const ISC_STATUS rc =
        create ? isc_create_database(status, 0, target.c_str(), &db_, static_cast<short>(dpb.size()), dpb.data(), 0)
               : isc_attach_database(status, 0, target.c_str(), &db_, static_cast<short>(dpb.size()), dpb.data());
    if (rc != 0) {
      ADD_FAILURE() << target << ": " << FirebirdMessage(status);
      db_ = 0;
    }
  }
  ~FirebirdAttachment() {
    ISC_STATUS_ARRAY status;
    if (tr_ != 0) isc_rollback_transaction(status, &tr_);
    if (readTr_ != 0) isc_rollback_transaction(status, &readTr_);
    if (db_ != 0) isc_detach_database(status, &db_);
  }
  FirebirdAttachment(const FirebirdAttachment&) = delete;
  FirebirdAttachment& operator=(const FirebirdAttachment&) = delete;

  // Runs each statement in a transaction of its own, so that tables are
  // there for the rows that follow; fails the test with the message.
  void Run(const std::vector<std::string>& statements) {
    for (const std::string& sql : statements) {
      ISC_STATUS_ARRAY status;
      isc_tr_handle tr = 0;
      if (db_ == 0 || isc_start_transaction(status, &tr, 1, &db_, 0, nullptr) != 0 ||
          isc_dsql_execute_immediate(status, &db_, &tr, 0, sql.c_str(), SQL_DIALECT_V6, nullptr) != 0 ||
          isc_commit_transaction(status, &tr) != 0) {
        ADD_FAILURE() << (db_ == 0 ? "not attached" : FirebirdMessage(status)) << "\n" << sql;
        if (tr != 0) isc_rollback_transaction(status, &tr);
        return;
      }
    }
  }
  // The whole number a query of one value gives (-1 after a failure).
  int64_t Number(const std::string& sql) {
    ISC_STATUS_ARRAY status;
    isc_tr_handle tr = 0;
    isc_stmt_handle stmt = 0;
    XSQLDA out{};
    out.version = SQLDA_VERSION1;
    out.sqln = 1;
    ISC_INT64 value = -1;
    short nullFlag = 0;
    bool ok = isc_start_transaction(status, &tr, 1, &db_, 0, nullptr) == 0 &&
              isc_dsql_allocate_statement(status, &db_, &stmt) == 0 &&
              isc_dsql_prepare(status, &tr, &stmt, 0, sql.c_str(), SQL_DIALECT_V6, &out) == 0;
    if (ok) {
      out.sqlvar[0].sqltype = SQL_INT64 + 1;
      out.sqlvar[0].sqlscale = 0;
      out.sqlvar[0].sqldata = reinterpret_cast<char*>(&value);
      out.sqlvar[0].sqlind = &nullFlag;
      ok = isc_dsql_execute(status, &tr, &stmt, SQL_DIALECT_V6, nullptr) == 0 &&
           isc_dsql_fetch(status, &stmt, SQL_DIALECT_V6, &out) == 0;
    }
    if (!ok) ADD_FAILURE() << FirebirdMessage(status) << "\n" << sql;
    if (stmt != 0) isc_dsql_free_statement(status, &stmt, DSQL_drop);
    if (tr != 0) isc_rollback_transaction(status, &tr);
    return ok ? value : -1;
  }
  // Whether another attachment runs a statement holding `text`.
  bool Runs(const std::string& text) {
    return Number("select count(*) from mon$statements where mon$state = 1 and mon$attachment_id <>"
                  " current_connection and mon$sql_text containing '" + text + "'") != 0;
  }
  // Whether the engine takes the statement (prepared, never run).
  bool Prepares(const std::string& sql) {
    ISC_STATUS_ARRAY status;
    static const char kReadOnly[] = {isc_tpb_version3, isc_tpb_read, isc_tpb_read_committed, isc_tpb_rec_version};
    if (readTr_ == 0 && isc_start_transaction(status, &readTr_, 1, &db_, sizeof kReadOnly, kReadOnly) != 0) {
      ADD_FAILURE() << FirebirdMessage(status);
      return false;
    }
    isc_stmt_handle stmt = 0;
    const bool ok = isc_dsql_allocate_statement(status, &db_, &stmt) == 0 &&
                    isc_dsql_prepare(status, &readTr_, &stmt, 0, sql.c_str(), SQL_DIALECT_V6, nullptr) == 0;
    if (stmt != 0) isc_dsql_free_statement(status, &stmt, DSQL_drop);
    return ok;
  }
  // Runs a statement in a transaction that stays open (waiting for no
  // lock) while this attachment lives: the rows it changed are locked.
  void Hold(const std::string& sql) {
    const std::string tpb{isc_tpb_version3, isc_tpb_write, isc_tpb_read_committed, isc_tpb_rec_version, isc_tpb_nowait};
    ISC_STATUS_ARRAY status;
    if (isc_start_transaction(status, &tr_, 1, &db_, static_cast<unsigned short>(tpb.size()), tpb.data()) != 0 ||
        isc_dsql_execute_immediate(status, &db_, &tr_, 0, sql.c_str(), SQL_DIALECT_V6, nullptr) != 0)
      ADD_FAILURE() << FirebirdMessage(status) << "\n" << sql;
  }

 private:
  isc_db_handle db_ = 0;
  isc_tr_handle tr_ = 0;
  isc_tr_handle readTr_ = 0;
};

// A new database on the server of the test run: its network target
// (host/port:path) and its URL for the runtime.
struct FirebirdServerDatabase {
  explicit FirebirdServerDatabase(const std::string& name)
      : path(FirebirdEnv("DV_FIREBIRD_DIR") + "/" + name + ".fdb"),
        target(FirebirdEnv("DV_FIREBIRD_HOST") + "/" + FirebirdEnv("DV_FIREBIRD_PORT") + ":" + path),
        url("firebird://" + FirebirdEnv("DV_FIREBIRD_USER") + ":" + FirebirdEnv("DV_FIREBIRD_PASSWORD") + "@" +
            FirebirdEnv("DV_FIREBIRD_HOST") + ":" + FirebirdEnv("DV_FIREBIRD_PORT") + "/" + path) {
    FirebirdAttachment(target, true);
  }
  std::string path, target, url;
};

}  // namespace dvtest

// Skips a test that needs the Firebird server when none is configured, but
// fails it when DV_REQUIRE_FIREBIRD=1 says that one must be there.
#define DV_REQUIRE_FIREBIRD()                                                                       \
  do {                                                                                              \
    if (!::dvtest::FirebirdConfigured()) {                                                          \
      const char* req = std::getenv("DV_REQUIRE_FIREBIRD");                                         \
      if (req != nullptr && std::string(req) == "1") FAIL() << "Firebird server not configured";    \
      GTEST_SKIP() << "Firebird server not configured (DV_FIREBIRD_URL unset; see tools/with-firebird.sh)"; \
    }                                                                                               \
  } while (0)
