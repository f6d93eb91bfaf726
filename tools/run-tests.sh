#!/usr/bin/env bash
# Builds the project twice (normal, and with AddressSanitizer +
# UndefinedBehaviorSanitizer) and runs every test of each build against a
# PostgreSQL server that pg_virtualenv starts for the run, a MariaDB server
# that tools/with-mariadb.sh starts and a Firebird server that
# tools/with-firebird.sh starts, all dropped after the run.
# Tests that need a server fail, rather than skip, when it is missing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
bash tools/deps.sh

jobs=$(nproc)
configs=("build:-DCMAKE_BUILD_TYPE=RelWithDebInfo" "build-asan:-DCMAKE_BUILD_TYPE=Debug -DDV_SANITIZE=ON -DDV_BUILD_BENCHMARKS=OFF")
if [ "${1:-}" = "--quick" ]; then configs=("${configs[0]}"); fi

for entry in "${configs[@]}"; do
  dir=${entry%%:*}
  flags=${entry#*:}
  echo "== configure and build $dir ($flags)"
  # Everything, also in a folder README's first command configured for the
  # designer alone.
  # shellcheck disable=SC2086
  cmake -S . -B "$dir" -G Ninja -DDV_WERROR=ON -DDV_DESIGNER_ONLY=OFF $flags >/dev/null
  cmake --build "$dir" -j "$jobs"
done

for entry in "${configs[@]}"; do
  dir=${entry%%:*}
  echo "== test $dir"
  # pg_virtualenv exports PGHOST, PGUSER, PGPASSWORD; fill in what it leaves
  # to libpq's defaults so the tests see a complete configuration.
  pg_virtualenv -t "$root/tools/with-mariadb.sh" "$root/tools/with-firebird.sh" sh -c "export PGPORT=\${PGPORT:-5432} PGDATABASE=\${PGDATABASE:-postgres} DV_REQUIRE_PG=1
    ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions='$root/tools/lsan.supp' ctest --test-dir '$dir' --output-on-failure -j $jobs"
done
