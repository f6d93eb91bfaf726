#include "MariaDbOpen.h"

#include <errmsg.h>
#include <mysql.h>

#include <algorithm>
#include <memory>

namespace dralvo {

unsigned MariaDbSeconds(int ms) { return ms <= 0 ? 0 : static_cast<unsigned>((ms + 999) / 1000); }

std::string ExplainedMariaDbError(unsigned errorNumber, const std::string& message, const std::string& where,
                                  unsigned seconds) {
  if (errorNumber == CR_SERVER_LOST || message.find("timed out") != std::string::npos ||
      message.find("(110)") != std::string::npos)
    return message + " (no answer from " + where + " within " + std::to_string(seconds) + " s)";
  return message;
}

MYSQL* ConnectMariaDb(const TMariaDbTarget& t, const TDVWaitLimits& waits, std::string& error) {
  const std::string where = !t.Socket.empty() ? "socket " + t.Socket
                                               : (t.Host.empty() ? "localhost" : t.Host) + ":" +
                                                     std::to_string(t.Port != 0 ? t.Port : MYSQL_PORT);
  MYSQL* conn = mysql_init(nullptr);
  if (conn == nullptr) {
    error = "out of memory";
    return nullptr;
  }
  // Connecting (the server's greeting included) gives up after the connect
  // time-out; each read or write after the statement time-out and a margin.
  unsigned connectTimeout = std::max(static_cast<unsigned>(waits.ConnectSeconds), 1u);
  unsigned statementSeconds = MariaDbSeconds(waits.StatementMs);
  unsigned rwTimeout = statementSeconds == 0 ? 0 : statementSeconds + 15;
  mysql_options(conn, MYSQL_OPT_CONNECT_TIMEOUT, &connectTimeout);
  mysql_options(conn, MYSQL_OPT_READ_TIMEOUT, &rwTimeout);
  mysql_options(conn, MYSQL_OPT_WRITE_TIMEOUT, &rwTimeout);
  mysql_options(conn, MYSQL_SET_CHARSET_NAME, "utf8mb4");
  unsigned localInfile = 0;
  mysql_options(conn, MYSQL_OPT_LOCAL_INFILE, &localInfile);
  // The non-blocking calls too, so that a wait on a statement can look
  // for a request to stop it; the blocking ones work as before.
  mysql_options(conn, MYSQL_OPT_NONBLOCK, nullptr);
  if (!t.Socket.empty()) {
    unsigned protocol = MYSQL_PROTOCOL_SOCKET;
    mysql_options(conn, MYSQL_OPT_PROTOCOL, &protocol);
  }
  // Rows found, not rows changed, count as affected: an update that writes
  // the values a row already holds still found its row. A CALL answers
  // with several results: the first is taken, the others read and dropped.
  if (mysql_real_connect(conn, t.Host.empty() ? nullptr : t.Host.c_str(), t.User.empty() ? nullptr : t.User.c_str(),
                         t.Password.c_str(), t.Database.empty() ? nullptr : t.Database.c_str(), t.Port,
                         t.Socket.empty() ? nullptr : t.Socket.c_str(), CLIENT_FOUND_ROWS | CLIENT_MULTI_RESULTS) == nullptr) {
    error = ExplainedMariaDbError(mysql_errno(conn), mysql_error(conn), where, connectTimeout);
    mysql_close(conn);
    return nullptr;
  }
  return conn;
}

void KillMariaDbQuery(const TMariaDbTarget& target, const TDVWaitLimits& waits, unsigned long threadId) {
  std::string error;
  std::unique_ptr<MYSQL, decltype(&mysql_close)> conn(ConnectMariaDb(target, waits, error), &mysql_close);
  if (conn == nullptr) return;
  const std::string kill = "kill query " + std::to_string(threadId);
  mysql_real_query(conn.get(), kill.data(), kill.size());
}

}  // namespace dralvo
