#!/usr/bin/env bash
# Installs the Debian packages this project needs to build, test and run.
set -euo pipefail
packages=(
  build-essential cmake ninja-build pkg-config
  ccache                          # compiler cache: a rebuild or a second clone compiles only what changed
  qt6-base-dev libgl-dev          # widget layer (Qt 6 Widgets)
  libqscintilla2-qt6-dev          # the designer's code editor (SQL highlighting, line numbers)
  xvfb xauth                      # one designer-window test runs on a real X11 server (xvfb-run)
  libsqlite3-dev sqlite3          # embedded database driver
  libpq-dev postgresql            # server driver; the tests start a server with pg_virtualenv
  libicu-dev                      # Unicode case-insensitive comparison
  libelf-dev                      # reading resources from package files
  libgtest-dev libgmock-dev libbenchmark-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  SUDO=""; [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
