#pragma once
// The MariaDB server of the test run (tools/with-mariadb.sh), reached
// through the client library itself, never through the code under test.
#include <gtest/gtest.h>
#include <mysql.h>

#include <cstdlib>
#include <string>

#include "SqlFixtures.h"

namespace dvtest {

inline std::string MariaDbEnv(const char* name) {
  const char* v = std::getenv(name);
  return v != nullptr ? v : "";
}

// True when DV_MARIADB_URL names a server.
inline bool MariaDbConfigured() { return !MariaDbEnv("DV_MARIADB_URL").empty(); }

// A connection of the test's own to the server (as the test user, over the
// private socket), in `database` when given; null after a failure.
inline MYSQL* MariaDbConnect(const std::string& database, unsigned long flags = 0) {
  MYSQL* conn = mysql_init(nullptr);
  unsigned timeout = 10;
  mysql_options(conn, MYSQL_OPT_CONNECT_TIMEOUT, &timeout);
  mysql_options(conn, MYSQL_OPT_READ_TIMEOUT, &timeout);
  mysql_options(conn, MYSQL_SET_CHARSET_NAME, "utf8mb4");
  if (mysql_real_connect(conn, nullptr, MariaDbEnv("DV_MARIADB_USER").c_str(),
                         MariaDbEnv("DV_MARIADB_PASSWORD").c_str(), database.empty() ? nullptr : database.c_str(), 0,
                         MariaDbEnv("DV_MARIADB_SOCKET").c_str(), flags) == nullptr) {
    ADD_FAILURE() << mysql_error(conn);
    mysql_close(conn);
    return nullptr;
  }
  return conn;
}

// Runs a script of statements (";"-separated) on the server, in `database`
// when given; fails the test with the server's message.
inline void MariaDbRun(const std::string& script, const std::string& database = "") {
  MYSQL* conn = MariaDbConnect(database, CLIENT_MULTI_STATEMENTS);
  if (conn == nullptr) return;
  int rc = mysql_real_query(conn, script.data(), script.size());
  // Every result of a multi-statement script is read, so that an error in
  // a later statement is seen.
  while (rc == 0) {
    mysql_free_result(mysql_store_result(conn));
    rc = mysql_next_result(conn);
  }
  if (rc > 0) ADD_FAILURE() << mysql_error(conn) << "\n" << script;
  mysql_close(conn);
}

// A fresh database on the server, dropped with everything in it.
class MariaDbDatabase {
 public:
  explicit MariaDbDatabase(const std::string& script) : name_(UniqueName("dvt_")) {
    MariaDbRun("create database " + name_ + " character set utf8mb4");
    if (!script.empty()) MariaDbRun(script, name_);
  }
  ~MariaDbDatabase() {
    if (MariaDbConfigured()) MariaDbRun("drop database if exists " + name_);
  }
  MariaDbDatabase(const MariaDbDatabase&) = delete;
  MariaDbDatabase& operator=(const MariaDbDatabase&) = delete;
  const std::string& Name() const { return name_; }
  void Run(const std::string& script) const { MariaDbRun(script, name_); }
  // The remote database text of this database: over TCP with user and
  // password, or over the private socket.
  std::string Url() const {
    return "mariadb://" + MariaDbEnv("DV_MARIADB_USER") + ":" + MariaDbEnv("DV_MARIADB_PASSWORD") + "@" +
           MariaDbEnv("DV_MARIADB_HOST") + ":" + MariaDbEnv("DV_MARIADB_PORT") + "/" + name_;
  }
  std::string SocketUrl() const {
    return "mariadb://" + MariaDbEnv("DV_MARIADB_USER") + ":" + MariaDbEnv("DV_MARIADB_PASSWORD") + "@localhost/" +
           name_ + "?socket=" + MariaDbEnv("DV_MARIADB_SOCKET");
  }

 private:
  std::string name_;
};

// Another session holding a table locked for writing while it lives.
class MariaDbLock {
 public:
  MariaDbLock(const std::string& database, const std::string& table) : conn_(MariaDbConnect(database)) {
    std::string sql = "lock tables `" + table + "` write";
    if (conn_ != nullptr && mysql_real_query(conn_, sql.data(), sql.size()) != 0) ADD_FAILURE() << mysql_error(conn_);
  }
  ~MariaDbLock() { mysql_close(conn_); }
  MariaDbLock(const MariaDbLock&) = delete;
  MariaDbLock& operator=(const MariaDbLock&) = delete;

 private:
  MYSQL* conn_;
};

}  // namespace dvtest

// Skips a test that needs MariaDB when none is configured, but fails it
// when DV_REQUIRE_MARIADB=1 says that one must be there.
#define DV_REQUIRE_MARIADB()                                                                     \
  do {                                                                                           \
    if (!::dvtest::MariaDbConfigured()) {                                                        \
      const char* req = std::getenv("DV_REQUIRE_MARIADB");                                       \
      if (req != nullptr && std::string(req) == "1") FAIL() << "MariaDB not configured";         \
      GTEST_SKIP() << "MariaDB not configured (DV_MARIADB_URL unset; see tools/with-mariadb.sh)"; \
    }                                                                                            \
  } while (0)
