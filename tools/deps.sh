#!/usr/bin/env bash
# Installs the packages this project needs, by group:
#   build  building and running dvdesigner, its package and the example
#   test   what the tests, benchmarks and picture tools need besides: the
#          database servers, test frameworks, an X server, packaging tools,
#          report validators and the compiler cache
# With no option both groups are installed; a package already installed is
# left alone. All are Debian packages but the SARIF schema, from npm.
set -euo pipefail

usage() {
  cat <<'EOF'
usage: tools/deps.sh [--build] [--list]
Installs the Debian packages of the project with apt-get (as root, or through
sudo): all of them, or with --build only what building and running dvdesigner
needs. --list prints the chosen packages instead, one "GROUP PACKAGE" a line.
EOF
}

# group  package                  what for
table=$(cat <<'EOF'
build  g++                        the compiler (C++20)
build  cmake                      the build
build  ninja-build                the build
build  pkg-config                 finds the MariaDB client library
build  qt6-base-dev               the widget layer (Qt 6 Widgets)
build  libgl-dev                  Qt 6's CMake package looks for OpenGL
build  libqscintilla2-qt6-dev     the designer's code editor (SQL highlighting, line numbers)
build  libsqlite3-dev             the embedded database driver, and the example database
build  libpq-dev                  the PostgreSQL driver
build  postgresql-server-dev-15   the server's keyword header, from which the build takes PostgreSQL's reserved words
build  libmariadb-dev             the MariaDB driver
build  firebird-dev               the Firebird driver's headers
build  libfbclient2               the Firebird driver's client library
build  libicu-dev                 Unicode case-insensitive comparison
build  libelf-dev                 reading resources from package files
build  nlohmann-json3-dev         check's JSON and SARIF reports
test   libgtest-dev               the tests
test   libgmock-dev               the tests
test   libbenchmark-dev           the benchmarks
test   postgresql                 the tests start a throwaway server with pg_virtualenv
test   mariadb-server             the tests start a private mariadbd (tools/with-mariadb.sh)
test   firebird3.0-server-core    Firebird's embedded engine (also at run time, to open a Firebird file)
test   firebird3.0-server         the private Firebird server of tools/with-firebird.sh
test   firebird3.0-utils          isql-fb, with which tools/with-firebird.sh sets that server up
test   xvfb                       two designer-window tests run on a real X11 server (xvfb-run)
test   xauth                      xvfb-run
test   sqlite3                    the command-line shell, to look into a database by hand
test   dpkg-dev                   cpack -G DEB finds the package's dependencies with dpkg-shlibdeps
test   desktop-file-utils         the test package_lint validates the package's desktop entry
test   lintian                    the test package_lint checks the Debian package
test   python3                    tools/bench.sh reads the benchmarks' JSON results
test   python3-jsonschema         the JSON-schema validator check's JSON and SARIF reports are validated with
test   ccache                     compiler cache: a rebuild or a second clone compiles only what changed
EOF
)

groups="build test"
list=0
while (($#)); do
  case "$1" in
    --help | -h) usage; exit 0 ;;
    --build) groups="build"; shift ;;
    --list) list=1; shift ;;
    *) echo "deps.sh: unknown argument: $1" >&2; usage >&2; exit 2 ;;
  esac
done

packages=()
while read -r group package _; do
  [[ " $groups " == *" $group "* ]] || continue
  if ((list)); then echo "$group $package"; fi
  packages+=("$package")
done <<<"$table"
# Test group, from npm: the SARIF 2.1.0 schema check's SARIF log is
# validated against, as the package @microsoft/jest-sarif ships it
# (tests/designer finds it under npm's global folder).
sarif_schema_package=@microsoft/jest-sarif@1.0.0-beta.0
if [[ " $groups " == *" test "* ]] && ((list)); then echo "test npm:$sarif_schema_package"; fi
if ((list)); then exit 0; fi

SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# npm (Node.js) is on the machine as a rule; Debian's fills in where it is not.
if [[ " $groups " == *" test "* ]]; then command -v npm >/dev/null || missing+=(npm); fi
if ((${#missing[@]})); then
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

if [[ " $groups " == *" test "* ]] &&
  [ ! -f "$(npm root -g)/@microsoft/jest-sarif/lib/schemas/sarif-2.1.0-rtm.5.json" ]; then
  $SUDO npm install -g --no-fund --no-audit --loglevel=error "$sarif_schema_package"
fi
