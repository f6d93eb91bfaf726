#!/usr/bin/env bash
# Installs the Debian packages this project needs, by group:
#   build  building and running dvdesigner, its package and the example
#   test   what the tests, benchmarks and picture tools need besides: the
#          database servers, test frameworks, an X server, packaging tools
#          and the compiler cache
# With no option both groups are installed; a package already installed is
# left alone.
set -euo pipefail

usage() {
  cat <<'EOF'
usage: tools/deps.sh [--build] [--list]
Installs the Debian packages of the project with apt-get (as root, or through
sudo): all of them, or with --build only what building and running dvdesigner
needs. --list prints the chosen packages instead, one "GROUP PACKAGE" a line.
EOF
}

# group  package                 what for
table=$(cat <<'EOF'
build  g++                       the compiler (C++20)
build  cmake                     the build
build  ninja-build               the build
build  pkg-config                finds the MariaDB client library
build  qt6-base-dev              the widget layer (Qt 6 Widgets)
build  libgl-dev                 Qt 6's CMake package looks for OpenGL
build  libqscintilla2-qt6-dev    the designer's code editor (SQL highlighting, line numbers)
build  libsqlite3-dev            the embedded database driver, and the example database
build  libpq-dev                 the PostgreSQL driver
build  postgresql-server-dev-15  the server's keyword header, from which the build takes PostgreSQL's reserved words
build  libmariadb-dev            the MariaDB driver
build  libicu-dev                Unicode case-insensitive comparison
build  libelf-dev                reading resources from package files
test   libgtest-dev              the tests
test   libgmock-dev              the tests
test   libbenchmark-dev          the benchmarks
test   postgresql                the tests start a throwaway server with pg_virtualenv
test   mariadb-server            the tests start a private mariadbd (tools/with-mariadb.sh)
test   xvfb                      two designer-window tests run on a real X11 server (xvfb-run)
test   xauth                     xvfb-run
test   sqlite3                   the command-line shell, to look into a database by hand
test   dpkg-dev                  cpack -G DEB finds the package's dependencies with dpkg-shlibdeps
test   python3                   tools/bench.sh reads the benchmarks' JSON results
test   ccache                    compiler cache: a rebuild or a second clone compiles only what changed
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
if ((list)); then exit 0; fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
