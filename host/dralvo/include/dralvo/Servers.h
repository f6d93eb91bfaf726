#pragma once
// What callers outside the runtime may ask of a server type without a
// database component: how it reads bare names, how a name is quoted for it,
// how it reads SQL text, and whether a connection can be made. Nothing here
// connects but ProbeConnection.
#include <memory>
#include <string>

#include "dralvo/NameRules.h"
#include "dralvo/ServerTypes.h"
#include "dralvo/SqlParser.h"
#include "rtl/text/Strings.h"

namespace dralvo {

// The rules of `type` known without a server: its folding of bare names
// and its reserved words (SQLite's from the linked library, PostgreSQL's
// from the list the build took from the server's keyword header).
std::shared_ptr<const TDVNameRules> ServerNameRules(TDVServerType type);

// `name` quoted for SQL text of that server.
std::string QuoteServerName(TDVServerType type, const std::string& name);

// Whether connecting to `target` takes an account, so that a login prompt
// may ask for a password: not for a file of an embedded engine.
bool ServerAsksLogin(TDVServerType type, const std::string& target);

// How that server's reader splits SQL text (quotes, strings, comments),
// for a session in the server's default modes.
sql::LexicalRules ServerLexicalRules(TDVServerType type);

// Connects to `target` and disconnects again; gives the target as shown
// in messages (never a password). `params` are a database's Params (user
// name, password, time-outs). Raises EDatabaseError naming the server
// type, the target and the server's message.
std::string ProbeConnection(TDVServerType type, const std::string& target, const rtl::TStrings& params);

}  // namespace dralvo
