// dvmkdb SCRIPT DATABASE: builds a SQLite database from a SQL script. The
// database is built beside its final name and renamed over it only when the
// whole script ran, so a broken script never leaves a half-built file.
#include <sqlite3.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "ToolUsage.h"

namespace {

bool ReadScript(const char* path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream buf;
  buf << in.rdbuf();
  text = buf.str();
  return !in.bad();
}

// Line number of the statement that failed: where the unexecuted rest of
// the script begins.
int LineAt(const std::string& text, const char* rest) {
  while (*rest == ' ' || *rest == '\t' || *rest == '\r' || *rest == '\n') ++rest;
  int line = 1;
  for (const char* p = text.c_str(); p < rest && *p != '\0'; ++p)
    if (*p == '\n') ++line;
  return line;
}

bool Run(const char* scriptPath, const std::string& text, const std::string& dbPath) {
  sqlite3* db = nullptr;
  if (sqlite3_open(dbPath.c_str(), &db) != SQLITE_OK) {
    std::cerr << "dvmkdb: cannot create " << dbPath << ": " << sqlite3_errmsg(db) << "\n";
    sqlite3_close(db);
    return false;
  }
  bool ok = sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr) == SQLITE_OK;
  const char* rest = text.c_str();
  while (ok && *rest != '\0') {
    sqlite3_stmt* stmt = nullptr;
    const char* next = nullptr;
    if (sqlite3_prepare_v2(db, rest, -1, &stmt, &next) != SQLITE_OK) {
      std::cerr << scriptPath << ":" << LineAt(text, rest) << ": " << sqlite3_errmsg(db) << "\n";
      ok = false;
      break;
    }
    if (stmt != nullptr) {
      int rc = sqlite3_step(stmt);
      if (rc != SQLITE_DONE && rc != SQLITE_ROW) {
        std::cerr << scriptPath << ":" << LineAt(text, rest) << ": " << sqlite3_errmsg(db) << "\n";
        ok = false;
      }
      sqlite3_finalize(stmt);
    }
    rest = next;
  }
  if (ok) ok = sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK;
  sqlite3_close(db);
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  const char* usage = "usage: dvmkdb SCRIPT DATABASE\n"
                      "Runs the SQL of SCRIPT on a new SQLite file and puts it in place as DATABASE.\n";
  if (int status = CheckToolUsage(argc, argv, 3, usage); status >= 0) return status;
  std::string text;
  if (!ReadScript(argv[1], text)) {
    std::cerr << "dvmkdb: cannot read " << argv[1] << "\n";
    return 2;
  }
  const std::string target = argv[2];
  const std::string temp = target + ".building";
  std::remove(temp.c_str());
  if (!Run(argv[1], text, temp)) {
    std::remove(temp.c_str());
    return 1;
  }
  if (std::rename(temp.c_str(), target.c_str()) != 0) {
    std::perror(("dvmkdb: cannot replace " + target).c_str());
    std::remove(temp.c_str());
    return 1;
  }
  return 0;
}
