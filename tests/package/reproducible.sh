#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the release packages twice from the same commit, in two build folders of different paths,
# the second without the compiler cache, and fails unless the two sets of .deb files are byte for
# byte the same and hold neither folder's path. Then lintian, when installed, must find no error
# and no warning in them.
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
first="$src/build/package"
second="$src/build/package-again"

"$src/tools/build-packages" "$first" "$first/debs" >/dev/null
CCACHE_DISABLE=1 "$src/tools/build-packages" "$second" "$second/debs" >/dev/null

status=0
for deb in "$first"/debs/*.deb; do
    name=$(basename "$deb" .deb)
    mkdir -p "$first/unpacked" "$second/unpacked"
    dpkg-deb -R "$deb" "$first/unpacked/$name"
    if cmp -s "$deb" "$second/debs/$name.deb"; then
        echo "$name.deb: reproducible ($(sha256sum <"$deb" | cut -c1-16))"
    else
        echo "$name.deb: the two builds differ"
        dpkg-deb -R "$second/debs/$name.deb" "$second/unpacked/$name"
        diff -r --brief "$first/unpacked/$name" "$second/unpacked/$name" || true
        status=1
    fi
    if grep -rlF "$src" "$first/unpacked/$name"; then
        echo "$name.deb: the files above hold the path $src"
        status=1
    fi
done
[ "$status" -ne 0 ] || rm -rf "$second"

if command -v lintian >/dev/null; then
    lintian --pedantic --fail-on error,warning "$first"/debs/*.deb || status=1
else
    echo "lintian is not installed: the packages were not linted"
fi
exit "$status"
