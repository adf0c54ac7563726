#!/usr/bin/env bash
# `make install` into a prefix of the test's own, checked as a desktop sees
# it, then `make uninstall`. Usage: install_test.sh SOURCE_DIR BUILD_DIR VERSION
set -euo pipefail
source_dir=$1 build=$2 version=$3
prefix=$(mktemp -d)
manifest=$build/install_manifest.txt
# The test's install must not take the place of the user's own record of one.
[ -f "$manifest" ] && cp "$manifest" "$prefix.manifest"
restore() {
  if [ -f "$prefix.manifest" ]; then mv "$prefix.manifest" "$manifest"; else rm -f "$manifest"; fi
  rm -rf "$prefix"
}
trap restore EXIT

fail() { echo "FAILED: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" > /dev/null
entry=$prefix/share/applications/quorvel4.desktop
desktop-file-validate "$entry" || fail "the desktop entry does not validate"
grep -qx "Exec=$prefix/bin/quorvel4" "$entry" || fail "the entry does not start the installed program"
grep -qx "Icon=quorvel4" "$entry" || fail "the entry names no icon"
[ -f "$prefix/share/icons/hicolor/256x256/apps/quorvel4.png" ] || fail "no icon in the hicolor theme"
[ "$("$prefix/bin/quorvel4" --version)" = "quorvel4 $version" ] || fail "quorvel4 --version"
[ "$("$prefix/bin/quorvel4-batch" --version)" = "quorvel4-batch $version" ] ||
  fail "quorvel4-batch --version"

make -s -C "$source_dir" uninstall BUILD_DIR="$build" > /dev/null
left=$(find "$prefix" -type f | wc -l)
[ "$left" -eq 0 ] || fail "make uninstall left $left files"
echo "installed, checked and removed"
