#!/bin/sh
# Installs the build into a fresh folder and checks that the installed tree
# stands on its own: every program and library has only $ORIGIN-relative run
# paths (none names the build folder), and the installed dvdesigner loads
# the installed package.
# usage: check-install.sh BUILD_DIR
set -eu
build=$(cd "$1" && pwd)
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
failed=0
count=0
for file in "$prefix"/bin/*; do
  count=$((count + 1))
  paths=$(readelf -d "$file" | sed -n 's/.*(R[UN]*PATH).*\[\(.*\)\]/\1/p')
  old_ifs=$IFS
  IFS=:
  for p in $paths; do
    case "$p" in
      '$ORIGIN' | '$ORIGIN/'*) ;;
      *) echo "FAIL: $(basename "$file") has run path $p" >&2; failed=1 ;;
    esac
  done
  IFS=$old_ifs
done
for needed in dvdesigner DclDralvo160.so rtl160.so dbrtl160.so Dralvo160.so vcl160.so dcldb160.so; do
  [ -e "$prefix/bin/$needed" ] || { echo "FAIL: $needed is not installed" >&2; failed=1; }
done
# Run from the installed folder with no library path of the environment.
out=$(cd "$prefix" && env -u LD_LIBRARY_PATH QT_QPA_PLATFORM=offscreen bin/dvdesigner info 2>&1) || {
  echo "FAIL: the installed dvdesigner info failed:" >&2
  echo "$out" >&2
  failed=1
}
case "$out" in
  *"Package: $prefix/bin/DclDralvo160.so"*) ;;
  *) echo "FAIL: info does not name the installed package:" >&2; echo "$out" >&2; failed=1 ;;
esac
[ "$failed" -eq 0 ] || exit 1
echo "installed $count files with \$ORIGIN run paths only; dvdesigner info ran from $prefix"
