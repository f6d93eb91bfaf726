// Passwords of every awkward shape, in each form of connection text, on the
// real servers: each account is made with its password, the module's
// databases connect with it, and no output shows any part of it (structure,
// show, properties, values, check's progress and connection errors, set's
// errors, the history in dralvo.ini and settings).
#include <libpq-fe.h>
#include <mysql.h>

#include <string>
#include <vector>

#include "DesignerFixture.h"
#include "MariaDbFixtures.h"
#include "SqlFixtures.h"
#include "rtl/system/SysUtils.h"

namespace designertest {
namespace {

// Every password holds "Qz7" before its awkward character and "Wk4" after
// it: neither half may show anywhere.
const std::vector<std::pair<std::string, std::string>> kShapes = {
    {"blank", "Qz7 Wk4"},        {"double quote", "Qz7\"Wk4"}, {"single quote", "Qz7'Wk4"},
    {"semicolon", "Qz7;Wk4"},    {"bracket", "Qz7)Wk4"},       {"question mark", "Qz7?Wk4"},
    {"slash", "Qz7/Wk4"},        {"at", "Qz7@Wk4"},            {"percent", "Qz7%Wk4"},
    {"backslash", "Qz7\\Wk4"},   {"non-ASCII", "Qz7äö€Wk4"},   {"all at once", "Qz7 \"';)?/@%\\ä#Wk4"},
};

enum class TForm { PgUri, PgKeywords, MariaDbUrl };

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  return rtl::StringReplaceAll(text, from, to);
}

// The password as the form writes it: a URL escapes "%" alone, a keyword
// list quotes the value with backslashes before "\" and "'".
std::string Written(TForm form, const std::string& password) {
  if (form != TForm::PgKeywords) return Replaced(password, "%", "%25");
  return "'" + Replaced(Replaced(password, "\\", "\\\\"), "'", "\\'") + "'";
}

std::string Env(const char* name) { return dvtest::MariaDbEnv(name); }

// The account `user` with `password` on the form's server.
void MakeUser(TForm form, const std::string& user, const std::string& password) {
  if (form == TForm::MariaDbUrl) {
    MYSQL* conn = dvtest::MariaDbConnect("");
    ASSERT_NE(conn, nullptr);
    std::string escaped(password.size() * 2 + 1, '\0');
    escaped.resize(mysql_real_escape_string(conn, escaped.data(), password.data(), password.size()));
    mysql_close(conn);
    dvtest::MariaDbRun("create user '" + user + "'@'%' identified by '" + escaped + "'");
  } else {
    dvtest::PgRun("create role " + user + " login password '" + Replaced(password, "'", "''") + "'");
  }
}

void DropUser(TForm form, const std::string& user) {
  if (form == TForm::MariaDbUrl)
    dvtest::MariaDbRun("drop user '" + user + "'@'%'");
  else
    dvtest::PgRun("drop role " + user);
}

// The remote database text of `user` with its password written as given.
std::string Target(TForm form, const std::string& user, const std::string& written) {
  switch (form) {
    case TForm::PgUri:
      return "postgresql://" + user + ":" + written + "@127.0.0.1:" + Env("PGPORT") + "/" + Env("PGDATABASE");
    case TForm::PgKeywords:
      return "host=127.0.0.1 port=" + Env("PGPORT") + " dbname=" + Env("PGDATABASE") + " user=" + user +
             " password=" + written;
    case TForm::MariaDbUrl:
      return "mariadb://" + user + ":" + written + "@" + Env("DV_MARIADB_HOST") + ":" + Env("DV_MARIADB_PORT") + "/";
  }
  return "";
}

// A database, a query and an update object for each remote database text.
std::string ModuleOf(TForm form, const std::vector<std::string>& targets) {
  const std::string serverType = form == TForm::MariaDbUrl ? "stMariaDB" : "stPostgreSQL";
  std::string text = "object M: TDataModule\n";
  for (size_t i = 0; i < targets.size(); ++i) {
    const std::string k = std::to_string(i);
    text += "  object D" + k + ": TDVDatabase\n    DatabaseName = 'd" + k + "'\n    LoginPrompt = False\n" +
            "    RemoteDatabase = '" + Replaced(targets[i], "'", "''") + "'\n    ServerType = " + serverType +
            "\n  end\n  object Q" + k + ": TDVQuery\n    DatabaseName = 'd" + k + "'\n    UpdateObject = U" + k +
            "\n    SQL.Strings = (\n      'select 1 as one')\n  end\n  object U" + k + ": TDVUpdateSQL\n  end\n";
  }
  return text + "end\n";
}

class PasswordShapes : public DesignerTest, public ::testing::WithParamInterface<TForm> {
 protected:
  static void NoSecret(const std::string& what, const std::string& text) {
    EXPECT_FALSE(Has(text, "Qz7")) << what << ":\n" << text;
    EXPECT_FALSE(Has(text, "Wk4")) << what << ":\n" << text;
  }
};

TEST_P(PasswordShapes, ConnectAndShowNoPartOfThePasswordAnywhere) {
  const TForm form = GetParam();
  if (form == TForm::MariaDbUrl)
    DV_REQUIRE_MARIADB();
  else
    DV_REQUIRE_PG();
  std::vector<std::string> users, targets;
  for (size_t i = 0; i < kShapes.size(); ++i) {
    users.push_back(dvtest::UniqueName("dvpw") + "_" + std::to_string(i));
    MakeUser(form, users.back(), kShapes[i].second);
    targets.push_back(Target(form, users.back(), Written(form, kShapes[i].second)));
  }
  // A text that does not read as its form: a URL with a "%" that is no
  // escape, a keyword list with a blank in an unquoted value.
  const size_t broken = targets.size();
  targets.push_back(Target(form, users[0], form == TForm::PgKeywords ? "Qz7 Wk4" : "Qz7%zWk4"));
  WriteModule(ModuleOf(form, targets));

  auto check = Designer({"check", "Shop.dfm"});
  NoSecret("check", check.Out + check.Err);
  for (size_t i = 0; i < targets.size(); ++i) {
    const std::string d = "d" + std::to_string(i);
    EXPECT_TRUE(Has(check.Err, "Connecting to database " + d + " (")) << check.Err;
    EXPECT_EQ(Has(check.Out, "cannot connect to its database " + d + ":"), i == broken) << d << ": " << check.Out;
  }
  for (size_t i = 0; i < targets.size(); ++i) {
    const std::string name = "D" + std::to_string(i);
    auto set = Designer({"set", "Shop.dfm", name, "Connected", "True"});
    EXPECT_EQ(set.ExitCode, i == broken ? 1 : 0) << (i < broken ? kShapes[i].first : "broken") << ": " << set.Err;
    NoSecret("set " + name, set.Out + set.Err);
    // The history keeps the last few: each entry is looked at as it is made.
    const std::string history = rtl::ReadFileToString(dir_.File("dralvo.ini"));
    if (i < broken) {
      EXPECT_TRUE(Has(history, users[i])) << history;
    }
    NoSecret("dralvo.ini", history);
    auto properties = Designer({"properties", "Shop.dfm", name});
    EXPECT_TRUE(Has(properties.Out, "****")) << properties.Out;
    NoSecret("properties " + name, properties.Out + properties.Err);
  }
  EXPECT_TRUE(Has(Designer({"set", "Shop.dfm", "D" + std::to_string(broken), "Connected", "True"}).Err,
                  form == TForm::PgKeywords ? "has a word without \"=\"" : "has a broken %-escape in its password"));
  auto settings = Designer({"settings"});
  EXPECT_TRUE(Has(settings.Out, users[broken - 1])) << settings.Out;
  NoSecret("settings", settings.Out + settings.Err);
  for (const char* command : {"show", "structure"}) {
    auto r = Designer({command, "Shop.dfm"});
    EXPECT_EQ(r.ExitCode, 0) << command << ": " << r.Err;
    NoSecret(command, r.Out + r.Err);
  }
  auto values = Designer({"values", "Shop.dfm", "D0", "RemoteDatabase"});
  EXPECT_TRUE(Has(values.Out, users[broken - 1])) << values.Out;
  NoSecret("values", values.Out + values.Err);
  for (const std::string& user : users) DropUser(form, user);
}

std::string FormName(const ::testing::TestParamInfo<TForm>& form) {
  switch (form.param) {
    case TForm::PgUri: return "PostgreSQLUri";
    case TForm::PgKeywords: return "PostgreSQLKeywords";
    case TForm::MariaDbUrl: return "MariaDbUrl";
  }
  return "";
}

INSTANTIATE_TEST_SUITE_P(Forms, PasswordShapes,
                         ::testing::Values(TForm::PgUri, TForm::PgKeywords, TForm::MariaDbUrl), FormName);

}  // namespace
}  // namespace designertest
