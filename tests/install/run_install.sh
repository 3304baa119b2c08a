#!/usr/bin/env bash
# The install as a distribution package lays it out: `cmake --install` into a fresh
# prefix, then the layout, the desktop entry and the AppStream metadata through their
# validators, then the installed program itself (the end-to-end run on a virtual X
# server), which must find its modules and its tips from the prefix alone.
#
#     run_install.sh <build dir> <application id> [<e2e script> <xclose helper>]
#
# Exits 77 (skipped) when a validator or the X server tools are missing, after
# checking everything else.
set -u

BUILD=${1:?usage: run_install.sh <build dir> <application id> [<e2e script> <xclose>]}
ID=${2:?usage: run_install.sh <build dir> <application id> [<e2e script> <xclose>]}
E2E=${3:-}
XCLOSE=${4:-}

PREFIX=$(mktemp -d "${TMPDIR:-/tmp}/quintaro-install.XXXXXX")
trap 'rm -rf "$PREFIX"' EXIT
SKIPPED=()

fail() {
    echo "FAIL: $*"
    echo "--- installed files ---"
    (cd "$PREFIX" && find . -type f | sort)
    exit 1
}

cmake --install "$BUILD" --prefix "$PREFIX" >"$PREFIX.log" 2>&1 || { cat "$PREFIX.log"; rm -f "$PREFIX.log"; fail "cmake --install failed"; }
rm -f "$PREFIX.log"

# 1. The layout: the program alone in bin/, its modules in lib/quintaro/, its data in
# share/quintaro/, the desktop files where the desktop looks for them.
expect_file() { [ -f "$PREFIX/$1" ] || fail "missing $1"; }
[ -x "$PREFIX/bin/quintaro" ] || fail "no executable bin/quintaro"
[ "$(ls -A "$PREFIX/bin")" = "quintaro" ] || fail "bin/ holds more than the program: $(ls -A "$PREFIX/bin" | tr '\n' ' ')"
for module in quintaro_charts quintaro_sound quintaro_magick; do
    expect_file "lib/quintaro/$module.so"
done
expect_file share/quintaro/Tips.ini
expect_file "share/applications/$ID.desktop"
expect_file "share/metainfo/$ID.metainfo.xml"
expect_file "share/icons/hicolor/scalable/apps/$ID.svg"
grep -q '<svg' "$PREFIX/share/icons/hicolor/scalable/apps/$ID.svg" || fail "the scalable icon is no SVG drawing"
# A PNG gives its width and height as big-endian numbers at bytes 16 to 23.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ print $3 * 256 + $4 "x" $7 * 256 + $8 }'; }
for size in 16 22 24 32 48 64 128 256; do
    icon="share/icons/hicolor/${size}x${size}/apps/$ID.png"
    expect_file "$icon"
    [ "$(png_size "$PREFIX/$icon")" = "${size}x${size}" ] || fail "$icon is $(png_size "$PREFIX/$icon")"
done

# 2. The validators of the desktop entry and the AppStream metadata.
if command -v desktop-file-validate >/dev/null 2>&1; then
    desktop-file-validate "$PREFIX/share/applications/$ID.desktop" || fail "desktop-file-validate refused the entry"
    grep -q "^Icon=$ID$" "$PREFIX/share/applications/$ID.desktop" || fail "the entry does not name the installed icon"
else
    SKIPPED+=("desktop-file-validate is not installed")
fi
if command -v appstreamcli >/dev/null 2>&1; then
    appstreamcli validate --no-net "$PREFIX/share/metainfo/$ID.metainfo.xml" ||
        fail "appstreamcli refused the metadata"
else
    SKIPPED+=("appstreamcli is not installed")
fi

# 3. The installed program, started from the prefix, with the build tree out of reach
# of its lookups: the end-to-end run checks that the sound and charts modules load and
# that the tip of the day had tips to show.
if [ -n "$E2E" ] && [ -n "$XCLOSE" ]; then
    bash "$E2E" "$PREFIX/bin/quintaro" "$XCLOSE"
    status=$?
    if [ "$status" -eq 77 ]; then
        SKIPPED+=("the installed program was not run")
    elif [ "$status" -ne 0 ]; then
        fail "the installed program failed its end-to-end run"
    fi
else
    SKIPPED+=("no X11 helper was built: the installed program was not run")
fi

if [ ${#SKIPPED[@]} -gt 0 ]; then
    printf 'SKIP: %s\n' "${SKIPPED[@]}"
    exit 77
fi
echo "PASS: installed layout, desktop entry, metadata and the installed program"
exit 0
