#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian packages from a build folder and checks, in a few seconds, what a packager
# and a user would: the files in each package, velmora-cli's dependencies, the manual pages, the
# shell completions, the AppStream metadata, lintian's verdict, and that both programs run from the
# unpacked packages. Checks whose tool is not installed (scripts/setup installs them) say so and
# are left out.
set -euo pipefail
build_dir="$1"
scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}
have() {
    command -v "$1" >/dev/null || { echo "skipped, $1 is not installed: $2"; return 1; }
}

(cd "$build_dir" && cpack -G DEB -B "$scratch/out" >/dev/null)
app_deb=$(ls "$scratch"/out/velmora_*.deb)
cli_deb=$(ls "$scratch"/out/velmora-cli_*.deb)
dpkg-deb -x "$app_deb" "$scratch/app"
dpkg-deb -x "$cli_deb" "$scratch/cli"
app="$scratch/app"
cli="$scratch/cli"
# python3-velmora, where the build has the Python module
py_deb=$(ls "$scratch"/out/python3-velmora_*.deb 2>/dev/null || true)
py="$scratch/py"
[ -z "$py_deb" ] || dpkg-deb -x "$py_deb" "$py"
id=example.velmora.velmora

# ---- what each package holds
expect_files() {
    local root="$1"
    shift
    for f in "$@"; do
        [ -f "$root/$f" ] || fail "$(basename "$root") package lacks $f"
    done
}
expect_files "$app" usr/bin/velmora "usr/share/applications/$id.desktop" \
    "usr/share/metainfo/$id.metainfo.xml" usr/share/icons/hicolor/48x48/apps/velmora.png \
    usr/share/icons/hicolor/256x256/apps/velmora.png usr/share/man/man1/velmora.1.gz \
    usr/share/doc/velmora/copyright usr/share/doc/velmora/changelog.gz
expect_files "$cli" usr/bin/velmora-cli usr/share/man/man1/velmora-cli.1.gz \
    usr/share/bash-completion/completions/velmora-cli \
    usr/share/zsh/vendor-completions/_velmora-cli \
    usr/share/fish/vendor_completions.d/velmora-cli.fish \
    usr/share/doc/velmora-cli/copyright usr/share/doc/velmora-cli/changelog.gz
programs=("$app/usr/bin/velmora" "$cli/usr/bin/velmora-cli")
if [ -n "$py_deb" ]; then
    expect_files "$py" usr/share/doc/python3-velmora/copyright \
        usr/share/doc/python3-velmora/changelog.gz
    module=$(ls "$py"/usr/lib/python3/dist-packages/velmora.cpython-*.so)
    programs+=("$module")
    [ "$(stat -c %a "$module")" = 644 ] || fail "the Python module is executable"
fi
for program in "${programs[@]}"; do
    ! readelf -S "$program" | grep -qE '\.comment|\.debug_' || fail "$program is not stripped"
done
[ ! -e "$app/usr/bin/velmora-cli" ] || fail "velmora-cli is in the window's package too"
[ ! -e "$cli/usr/bin/velmora" ] || fail "the window is in velmora-cli's package too"
head -1 "$app/usr/share/doc/velmora/copyright" | grep -q '^Format: .*copyright-format/1.0' ||
    fail "copyright is not machine-readable"
zcat "$app/usr/share/doc/velmora/changelog.gz" | head -1 |
    grep -q "^velmora ($(dpkg-deb -f "$app_deb" Version)) " ||
    fail "the changelog's latest entry is not this version"

# ---- dependencies: the window needs Qt; velmora-cli only the C and C++ runtime
dpkg-deb -f "$app_deb" Depends | grep -q 'libqt6widgets6' || fail "velmora does not depend on Qt"
for dep in $(dpkg-deb -f "$cli_deb" Depends | tr ',' '\n' | sed 's/(.*)//; s/ //g'); do
    case "$dep" in
        libc6 | libgcc-s1 | libstdc++6) ;;
        *) fail "velmora-cli depends on $dep" ;;
    esac
done
if [ -n "$py_deb" ]; then
    dpkg-deb -f "$py_deb" Depends | grep -q 'python3-numpy' || fail "python3-velmora lacks numpy"
    dpkg-deb -f "$py_deb" Depends | grep -qE 'libqt|velmora' && fail "python3-velmora needs Qt"
fi
for pkg in "$app_deb" "$cli_deb" $py_deb; do
    [ "$(dpkg-deb -f "$pkg" Homepage)" = "https://velmora.example/" ] || fail "$pkg: Homepage"
    [ "$(dpkg-deb -f "$pkg" Description | wc -l)" -ge 4 ] || fail "$pkg: no long description"
done

# ---- manual pages: groff has nothing to warn about, and every option velmora-cli's help
# names is on its page
for page in "$app/usr/share/man/man1/velmora.1.gz" "$cli/usr/share/man/man1/velmora-cli.1.gz"; do
    warnings=$(zcat "$page" | groff -man -ww -Tutf8 -z 2>&1) || fail "$page does not render"
    [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
done
cli_page=$(zcat "$cli/usr/share/man/man1/velmora-cli.1.gz" | groff -man -Tutf8 -P-cbou 2>/dev/null)
# at 80 columns the synopsis breaks only between options: each line closes the brackets it opens
# and none ends in a hyphen
synopsis=$(zcat "$cli/usr/share/man/man1/velmora-cli.1.gz" | groff -man -Tutf8 -rLL=80n -P-cbou 2>/dev/null |
    sed -n '/^SYNOPSIS/,/^DESCRIPTION/p')
while IFS= read -r line; do
    opened=${line//[!\[]/}
    closed=${line//[!\]]/}
    [[ ${#opened} -eq ${#closed} && "$line" != *- && "$line" != *‐ ]] ||
        fail "velmora-cli(1)'s synopsis breaks inside an option: $line"
done <<<"$synopsis"
# the commands as velmora-cli's own help lists them
commands=$("$cli/usr/bin/velmora-cli" --help | awk '/^Subcommands:/ {on = 1; next} on && /^  [a-z]/ {print $1}')
[ -n "$commands" ] || fail "velmora-cli --help lists no command"
for command in $commands; do
    grep -q "^   $command\$" <<<"$cli_page" || fail "velmora-cli(1) lacks the command $command"
    for option in $("$cli/usr/bin/velmora-cli" "$command" --help | grep -o -- '--[a-z0-9-]*' | sort -u); do
        grep -q -- "$option" <<<"$cli_page" || fail "velmora-cli(1) lacks $command $option"
    done
done

# ---- completions: each shell reads its script and offers, for the last word of a command line,
# what a user may type there: choices, sensors, digits beside 'full', file names; never a
# placeholder such as N or NAME
completion="$cli/usr/share/bash-completion/completions/velmora-cli"
zsh_folder="$cli/usr/share/zsh/vendor-completions"
fish_script="$cli/usr/share/fish/vendor_completions.d/velmora-cli.fish"
bash -n "$completion" || fail "bash cannot read its completion"
# Each prints the words offered for the line's last word (after its last space), sorted, each
# followed by a space; the file names are those of the folder with the packages.
bash_complete() {
    local words
    read -ra words <<<"velmora-cli $1"
    [[ -n "$1" && "$1" != *" " ]] || words+=("")
    (cd "$scratch/out" && bash -c 'source "$1"; shift; COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1))
             _velmora_cli; ((${#COMPREPLY[@]})) || exit 0
             printf "%s\n" "${COMPREPLY[@]}" | LC_ALL=C sort | tr "\n" " "' _ "$completion" "${words[@]}")
}
zsh_complete() {
    (cd "$scratch/out" && timeout 20 "$(dirname "$0")/zsh-complete" "$zsh_folder" "velmora-cli $1") |
        LC_ALL=C sort | tr '\n' ' '
}
fish_complete() {
    (cd "$scratch/out" && fish -c "source '$fish_script'; complete -C 'velmora-cli $1'") | cut -f1 |
        LC_ALL=C sort | tr '\n' ' '
}
offered=" $(bash_complete '')"
for command in $commands --help; do
    [[ "$offered" == *" $command "* ]] || fail "bash does not complete $command: $offered"
done
# the command line up to the word completed | what every shell offers there
completion_cases=(
    "temp --format |csv json svg text tsv "
    "temp --decimals |0 1 2 3 4 5 6 7 8 9 full "
    "temp --decimals f|full "
    "temp --column |"
    "temp --input velmora-cli_|$(basename "$cli_deb") "
    "temp --unit |C F "
    "temp k --to e|electrical "
    "table --unit F p|pt pt100 pt1000 "
    "table k p|"
    "check n|n ni1000 ni1000-tk5000 ntc ntc2252 "
    "temp pt --curve pt3|pt385 pt3916 pt3926 "
    "tolerance pt100 --class W0.1|W0.1 W0.15 "
    "temp k --emf-unit |mV uV "
    "humidity --pressure-unit k|kPa kPag "
    "humidity --decimal-mark |comma point "
)
shells=(bash)
if have zsh "zsh completion"; then
    zsh -n "$zsh_folder/_velmora-cli" || fail "zsh cannot read its completion"
    shells+=(zsh)
fi
if have fish "fish completion"; then
    fish -n "$fish_script" || fail "fish cannot read its completion"
    shells+=(fish)
fi
for case in "${completion_cases[@]}"; do
    line="${case%%|*}"
    expected="${case#*|}"
    for shell in "${shells[@]}"; do
        got=$("${shell}_complete" "$line")
        [ "$got" = "$expected" ] || fail "$shell offers '$got' for 'velmora-cli $line', not '$expected'"
    done
done

# ---- desktop entry and AppStream metadata share the application's id
grep -q '^Exec=velmora$' "$app/usr/share/applications/$id.desktop" || fail "desktop entry's Exec"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" \
    "$app/usr/share/metainfo/$id.metainfo.xml" || fail "metainfo does not launch $id.desktop"
if have appstreamcli "AppStream validation"; then
    appstreamcli validate --pedantic --no-net "$app/usr/share/metainfo/$id.metainfo.xml" >/dev/null ||
        fail "appstreamcli rejects the metainfo"
fi

# ---- lintian: no error and no warning (this build lacks the release's hardening flags, which
# only lintian's informational tags mention)
if have lintian "lintian"; then
    lintian --pedantic --fail-on error,warning "$app_deb" "$cli_deb" $py_deb >"$scratch/lintian" 2>&1 ||
        fail "lintian: $(grep -E '^[EW]:' "$scratch/lintian")"
fi

# ---- both programs run from the unpacked packages
status=0
QT_QPA_PLATFORM=offscreen timeout 2 "$app/usr/bin/velmora" || status=$?
[ "$status" -eq 124 ] || fail "installed velmora ended early with status $status"
"$cli/usr/bin/velmora-cli" loop --lo 0 --hi 100 --current 12 | grep -q 50 ||
    fail "installed velmora-cli does not calculate"
if [ -n "$py_deb" ]; then
    (cd "$scratch" && PYTHONPATH="$py/usr/lib/python3/dist-packages" /usr/bin/python3 -c \
        'import velmora; assert velmora.loop(lo=0, hi=100, current=12)["value"] == 50') ||
        fail "the installed Python module does not calculate"
fi

if ((failures)); then
    exit 1
fi
echo "packages hold what they should and run"
