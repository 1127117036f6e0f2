#!/usr/bin/env bash
# Builds the release packages twice from the same commit, in two build folders of different paths,
# the second without the compiler cache, and fails unless the two sets of .deb files are byte for
# byte the same. Then lintian, when installed, must find no error and no warning in them.
set -euo pipefail
src=$(cd "$(dirname "$0")/../.." && pwd)
first="$src/build/package"
second="$src/build/package-again"

"$src/tools/build-packages" "$first" "$first/debs" >/dev/null
CCACHE_DISABLE=1 "$src/tools/build-packages" "$second" "$second/debs" >/dev/null

status=0
for deb in "$first"/debs/*.deb; do
    name=$(basename "$deb")
    if cmp -s "$deb" "$second/debs/$name"; then
        echo "$name: reproducible ($(sha256sum <"$deb" | cut -c1-16))"
    else
        echo "$name: the two builds differ"
        diff <(dpkg-deb -c "$deb") <(dpkg-deb -c "$second/debs/$name") || true
        status=1
    fi
done
rm -rf "$second"

# Neither the source nor the build folder's path is left in what the packages install.
for deb in "$first"/debs/*.deb; do
    root="$first/unpacked/$(basename "$deb" .deb)"
    dpkg-deb -x "$deb" "$root"
    if grep -rlF "$src" "$root"; then
        echo "$(basename "$deb"): the files above hold the path $src"
        status=1
    fi
done

if command -v lintian >/dev/null; then
    lintian --pedantic --fail-on error,warning "$first"/debs/*.deb || status=1
else
    echo "lintian is not installed: the packages were not linted"
fi
exit "$status"
