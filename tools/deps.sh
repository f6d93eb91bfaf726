#!/usr/bin/env bash
# Installs the Debian packages this project needs to build, test and run,
# and the one npm package its tests need.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  ccache                          # compiler cache: a rebuild or a second clone compiles only what changed
  qt6-base-dev libgl-dev          # widget layer (Qt 6 Widgets)
  libqscintilla2-qt6-dev          # the designer's code editor (SQL highlighting, line numbers)
  xvfb xauth                      # two designer-window tests run on a real X11 server (xvfb-run)
  dpkg-dev                        # cpack -G DEB finds the package's dependencies with dpkg-shlibdeps
  libsqlite3-dev sqlite3          # embedded database driver
  libpq-dev postgresql            # server driver; the tests start a server with pg_virtualenv
  libmariadb-dev mariadb-server   # server driver; the tests start a private mariadbd (tools/with-mariadb.sh)
  postgresql-server-dev-15        # the server's keyword header, from which the build takes PostgreSQL's reserved words
  firebird-dev libfbclient2       # build group: the Firebird driver's headers and client library
  firebird3.0-server-core         # test group (and at run time for database files): Firebird's embedded engine
  firebird3.0-server firebird3.0-utils  # test group: the private server and isql of tools/with-firebird.sh
  libicu-dev                      # Unicode case-insensitive comparison
  libelf-dev                      # reading resources from package files
  libgtest-dev libgmock-dev libbenchmark-dev
  nlohmann-json3-dev              # build group: check's JSON and SARIF reports
  python3-jsonschema              # test group: the JSON-schema validator the check reports are validated with
  python3                         # tools/bench.sh reads the benchmarks' JSON results
)
SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# npm (Node.js) is on the machine as a rule; Debian's fills in where it is not.
command -v npm >/dev/null || missing+=(npm)
if ((${#missing[@]})); then
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Test group, from npm: the SARIF 2.1.0 schema check's SARIF log is
# validated against, as the package @microsoft/jest-sarif ships it
# (tests/designer finds it under npm's global folder).
sarif_schema_package=@microsoft/jest-sarif@1.0.0-beta.0
if [ ! -f "$(npm root -g)/@microsoft/jest-sarif/lib/schemas/sarif-2.1.0-rtm.5.json" ]; then
  $SUDO npm install -g --no-fund --no-audit --loglevel=error "$sarif_schema_package"
fi
