#pragma once
// Opening a MariaDB connection the way the driver does: for the driver's own
// connection and for the short second one that asks the server to stop a
// statement the first is running.
#include <string>

#include "Dialect.h"
#include "MariaDbTarget.h"

struct st_mysql;

namespace dralvo {

// Seconds of a wait limit given in milliseconds; 0 (no limit) stays 0.
unsigned MariaDbSeconds(int ms);

// The client library's message, with the time it waited when the server
// did not answer, naming where it was waiting.
std::string ExplainedMariaDbError(unsigned errorNumber, const std::string& message, const std::string& where,
                                  unsigned seconds);

// Connects with every wait bounded by `waits` (the connect time-out; each
// read or write 15 s beyond the statement time-out, so that the server's
// own time-out, which names the statement, comes first), in utf8mb4,
// never reading local files. Null on failure, with the explained message
// in `error`.
st_mysql* ConnectMariaDb(const TMariaDbTarget& target, const TDVWaitLimits& waits, std::string& error);

// Asks the server, on a connection of its own, to stop the statement that
// connection `threadId` is running (KILL QUERY); a connection that runs
// nothing is left as it is. Gives up quietly when the server cannot be
// reached: the statement then ends by its own time-out.
void KillMariaDbQuery(const TMariaDbTarget& target, const TDVWaitLimits& waits, unsigned long threadId);

}  // namespace dralvo
