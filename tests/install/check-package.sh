#!/bin/sh
# Makes the Debian package of the build in a fresh folder and has Debian's
# own checkers look at it: desktop-file-validate at its desktop entry and
# lintian at the package. Any error either reports fails the test (lintian's
# warnings are printed, not failed).
# usage: check-package.sh BUILD_DIR
set -eu
build=$(cd "$1" && pwd)
for tool in cpack desktop-file-validate lintian dpkg-deb; do
  command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed (tools/deps.sh installs it)" >&2; exit 1; }
done
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
cpack -G DEB -B "$out" --config "$build/CPackConfig.cmake" >"$out/cpack.log" 2>&1 || {
  echo "FAIL: cpack could not make the package:" >&2
  cat "$out/cpack.log" >&2
  exit 1
}
deb=$(ls "$out"/*.deb)
failed=0
mkdir "$out/tree"
dpkg-deb -x "$deb" "$out/tree"
desktop-file-validate "$out/tree/usr/share/applications/dvdesigner.desktop" || {
  echo "FAIL: desktop-file-validate refuses the desktop entry" >&2
  failed=1
}
report=$(lintian --tag-display-limit 0 "$deb" 2>&1 || true)
echo "$report"
if echo "$report" | grep -q '^E: '; then
  echo "FAIL: lintian reports errors" >&2
  failed=1
fi
[ "$failed" -eq 0 ] || exit 1
echo "$(basename "$deb"): the desktop entry validates and lintian reports no error"
