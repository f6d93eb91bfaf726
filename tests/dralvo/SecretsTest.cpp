// Passwords masked and stripped as each form's driver reads the text: where
// the reading stops, what it takes as the password, and what the history
// keeps.
#include <gtest/gtest.h>

#include <string>

#include "dralvo/Secrets.h"

namespace {

struct TCase {
  const char* Text;
  const char* Masked;
  const char* Stripped;
};

TEST(Secrets, EachFormIsReadAsItsDriverReadsIt) {
  const TCase cases[] = {
      // libpq's URI: the user information runs to the last "@"; a query
      // may hold a password too.
      {"postgresql://u:a b/c?d@e@h1:1,[::1]:2/db?sslmode=disable&password=x%20y",
       "postgresql://u:****@h1:1,[::1]:2/db?sslmode=disable&password=****",
       "postgresql://u@h1:1,[::1]:2/db?sslmode=disable"},
      {"postgres://h/db?password=x&sslmode=require", "postgres://h/db?password=****&sslmode=require",
       "postgres://h/db?sslmode=require"},
      // A broken escape in the password, or in the query before a password.
      {"postgresql://u:a%zb@h/db", "postgresql://u:****@h/db", "postgresql://u@h/db"},
      {"postgresql://h/db?a%z=1&password=x", "postgresql://h/db?****", "postgresql://h/db?"},
      // libpq's keyword list: an unquoted value runs to a blank, a quoted
      // one to its quote; a backslash escapes in both.
      {"host=h password=Pg;S3\\ cret)x user=u", "host=h password=**** user=u", "host=h user=u"},
      {"host=h password = 'a \\' b' user=u", "host=h password = **** user=u", "host=h user=u"},
      {"password= host=h user=u", "password= **** user=u", "user=u"},
      // Reading stops at a word without "=": what follows a password may
      // be the rest of it.
      {"host=h password=Pg S3cret dbname=d", "host=h password=**** ****", "host=h"},
      {"user=Pg S3 host=h", "user=Pg S3 host=h", "user=Pg S3 host=h"},
      {"host=h password='no end", "host=h ****", "host=h"},
      // The MariaDB URL.
      {"mariadb://qt:he said \"x\"y@h:3306/db?socket=/s", "mariadb://qt:****@h:3306/db?socket=/s",
       "mariadb://qt@h:3306/db?socket=/s"},
      {"MySQL://u:p?q/r@h/", "MySQL://u:****@h/", "MySQL://u@h/"},
      // The Firebird URL: no query, its database runs to the end.
      {"firebird://dv:p@S3 c/x?y@db:3050//srv/a?b.fdb", "firebird://dv:****@db:3050//srv/a?b.fdb",
       "firebird://dv@db:3050//srv/a?b.fdb"},
      // Other text: a file, and a message quoting a password.
      {"/data/a=b.db", "/data/a=b.db", "/data/a=b.db"},
      {"failed: password=x for u", "failed: password=**** for u", "failed: for u"},
  };
  for (const TCase& c : cases) {
    EXPECT_EQ(dralvo::MaskPasswords(c.Text), c.Masked) << c.Text;
    EXPECT_EQ(dralvo::StripPasswords(c.Text), c.Stripped) << c.Text;
  }
}

}  // namespace
