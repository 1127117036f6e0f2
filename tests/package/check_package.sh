#!/usr/bin/env bash
# Builds the Debian package, unpacks it into a scratch root, checks what it installs and starts the
# installed program without a display: it must still be running, not crashed, after two seconds.
set -euo pipefail
build_dir="$1"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT

(cd "$build_dir" && cpack -G DEB -B "$scratch/out" >/dev/null)
deb=$(ls "$scratch"/out/velmora_*.deb)
info=$(dpkg-deb --info "$deb")
grep -q 'Depends:.*libqt6widgets6' <<<"$info" || { echo "package does not depend on Qt"; exit 1; }
dpkg-deb -x "$deb" "$scratch/root"

for f in usr/bin/velmora usr/bin/velmora-cli usr/share/applications/velmora.desktop \
         usr/share/icons/hicolor/48x48/apps/velmora.png \
         usr/share/icons/hicolor/256x256/apps/velmora.png; do
    [ -e "$scratch/root/$f" ] || { echo "package lacks $f"; exit 1; }
done
grep -q '^Exec=velmora$' "$scratch/root/usr/share/applications/velmora.desktop"

status=0
QT_QPA_PLATFORM=offscreen timeout 2 "$scratch/root/usr/bin/velmora" || status=$?
if [ "$status" -ne 124 ]; then
    echo "installed velmora ended early with status $status"
    exit 1
fi
"$scratch/root/usr/bin/velmora-cli" loop --lo 0 --hi 100 --current 12 | grep -q 50
echo "package installs and starts"
