#!/bin/sh
# Installs the build into a fresh folder and checks that the installed tree
# stands on its own: the program in bin, its layers and package in its
# private folder lib/dvdesigner and nothing of them in bin; every program
# and library has only $ORIGIN-relative run paths (none names the build
# folder), and the installed dvdesigner loads the installed package.
# usage: check-install.sh BUILD_DIR
set -eu
build=$(cd "$1" && pwd)
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
private="$prefix/lib/dvdesigner"
failed=0
count=0
for file in "$prefix"/bin/* "$private"/*; do
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
[ -x "$prefix/bin/dvdesigner" ] || { echo "FAIL: dvdesigner is not installed in bin" >&2; failed=1; }
for needed in DclDralvo160.so rtl160.so dbrtl160.so Dralvo160.so vcl160.so dcldb160.so; do
  [ -e "$private/$needed" ] || { echo "FAIL: $needed is not installed in lib/dvdesigner" >&2; failed=1; }
done
for stray in "$prefix"/bin/*.so; do
  [ -e "$stray" ] && { echo "FAIL: a library in bin: $(basename "$stray")" >&2; failed=1; }
done
# Run from the installed folder with no library path of the environment.
out=$(cd "$prefix" && env -u LD_LIBRARY_PATH QT_QPA_PLATFORM=offscreen bin/dvdesigner info 2>&1) || {
  echo "FAIL: the installed dvdesigner info failed:" >&2
  echo "$out" >&2
  failed=1
}
case "$out" in
  *"Package: $private/DclDralvo160.so"*) ;;
  *) echo "FAIL: info does not name the installed package:" >&2; echo "$out" >&2; failed=1 ;;
esac
# The desktop program: its entry opens data modules of the MIME type that
# is installed, and runs the installed program with the installed icon.
entry="$prefix/share/applications/dvdesigner.desktop"
mime="$prefix/share/mime/packages/dralvo-data-module.xml"
[ -f "$entry" ] || { echo "FAIL: no desktop entry" >&2; failed=1; }
[ -f "$prefix/share/icons/hicolor/scalable/apps/dvdesigner.svg" ] || { echo "FAIL: no icon" >&2; failed=1; }
[ -f "$mime" ] || { echo "FAIL: no MIME type" >&2; failed=1; }
if [ -f "$entry" ] && [ -f "$mime" ]; then
  type=$(sed -n 's/^MimeType=\([^;]*\);.*/\1/p' "$entry")
  grep -q "mime-type type=\"$type\"" "$mime" || { echo "FAIL: the entry's MIME type $type is not installed" >&2; failed=1; }
  grep -q '<glob pattern="\*.dfm"/>' "$mime" || { echo "FAIL: the MIME type does not match .dfm files" >&2; failed=1; }
  program=$(sed -n 's/^Exec=\([^ ]*\) .*%f$/\1/p' "$entry")
  [ -x "$prefix/bin/$program" ] || { echo "FAIL: the entry runs \"$program\", which is not installed" >&2; failed=1; }
  grep -q '^Icon=dvdesigner$' "$entry" || { echo "FAIL: the entry names another icon" >&2; failed=1; }
fi
[ "$failed" -eq 0 ] || exit 1
echo "installed $count files with \$ORIGIN run paths only; dvdesigner info ran from $prefix"
