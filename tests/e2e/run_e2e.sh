#!/usr/bin/env bash
# The real program on a virtual X server of its own: first start with its tip of
# the day, the selector focused without opening anything, Klondike opened from the
# list, one draw from the stock, the statistics shown (their charts module loaded only
# then), the game window and then the program closed; the
# settings file must then hold the preferences and window positions, and no
# statistics for a one-move game.
#
#     run_e2e.sh <quintaro binary> <xclose helper>
#
# Exits 77 (skipped) when Xvfb or xdotool is missing.
set -u

QUINTARO=${1:?usage: run_e2e.sh <quintaro> <xclose>}
XCLOSE=${2:?usage: run_e2e.sh <quintaro> <xclose>}

for tool in Xvfb xdotool; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "SKIP: $tool is not installed"
        exit 77
    fi
done

WORK=$(mktemp -d "${TMPDIR:-/tmp}/quintaro-e2e.XXXXXX")
XVFB_PID=
APP_PID=

cleanup() {
    if [ -n "$APP_PID" ] && kill -0 "$APP_PID" 2>/dev/null; then
        kill "$APP_PID" 2>/dev/null
        wait "$APP_PID" 2>/dev/null
    fi
    if [ -n "$XVFB_PID" ] && kill -0 "$XVFB_PID" 2>/dev/null; then
        kill "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
    fi
    rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*"
    if [ -s "$WORK/quintaro.log" ]; then
        echo "--- program output ---"
        cat "$WORK/quintaro.log"
    fi
    if [ -f "$WORK/config/quintaro/Solitaire.ini" ]; then
        echo "--- Solitaire.ini ---"
        cat "$WORK/config/quintaro/Solitaire.ini"
    fi
    exit 1
}

# Polls `$@` every 0.1 s until it succeeds; fails after `timeout` seconds, stretched by
# QUINTARO_E2E_SLOWDOWN (default 4): the sanitizer build on a loaded CI machine can take
# several times longer than a plain build, and a poll costs nothing when things are quick.
wait_until() {
    local timeout=$(($1 * ${QUINTARO_E2E_SLOWDOWN:-4})) what=$2
    shift 2
    local deadline=$((SECONDS + timeout))
    until "$@"; do
        [ "$SECONDS" -ge "$deadline" ] && fail "timed out waiting for $what"
        sleep 0.1
    done
}

# The id of the visible window whose name matches the regular expression, if any.
window_id() { xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1; }
window_shown() { [ -n "$(window_id "$1")" ]; }
window_gone() { [ -z "$(window_id "$1")" ]; }
app_ended() { ! kill -0 "$APP_PID" 2>/dev/null; }

# The X server picks a free display itself and writes its number when it is ready.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
XVFB_PID=$!
display_ready() { [ -s "$WORK/display" ] || { kill -0 "$XVFB_PID" 2>/dev/null || fail "Xvfb did not start"; false; }; }
wait_until 10 "the X server" display_ready
export DISPLAY=":$(head -n 1 "$WORK/display")"

# A fresh settings folder and a private runtime folder; the real X platform.
unset QT_QPA_PLATFORM
export XDG_CONFIG_HOME="$WORK/config"
export XDG_RUNTIME_DIR="$WORK/runtime"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

"$QUINTARO" >"$WORK/quintaro.log" 2>&1 &
APP_PID=$!

# 1. The first start shows the tip of the day over the selector; OK dismisses it.
wait_until 15 "the tip of the day" window_shown '^Tip of the Day$'
TIP=$(window_id '^Tip of the Day$')
xdotool windowfocus --sync "$TIP"
xdotool key --clearmodifiers Return
wait_until 5 "the tip of the day to close" window_gone '^Tip of the Day$'

# 2. The selector taking the focus opens nothing by itself: no game, no message.
wait_until 5 "the selector" window_shown '^Quintaro!$'
SELECTOR=$(window_id '^Quintaro!$')
xdotool windowfocus --sync "$SELECTOR"
sleep 0.5
SHOWN=$(xdotool search --onlyvisible --name '.' 2>/dev/null | wc -l)
[ "$SHOWN" -eq 1 ] || fail "focusing the selector showed $((SHOWN - 1)) more window(s)"

# 3. Klondike, the seventh name of the list, only partly in view (items are 15 pixels high).
xdotool mousemove --window "$SELECTOR" 60 99 click 1
wait_until 10 "the Klondike window" window_shown '^Klondike'
KLONDIKE=$(window_id '^Klondike')

# 4. One draw: a click on the stock, the top-left pile of the large-card window.
waste_picture() {
    command -v import >/dev/null 2>&1 || return 0
    import -window "$KLONDIKE" -crop 180x130+110+5 png:- 2>/dev/null | md5sum
}
sleep 0.5
BEFORE=$(waste_picture)
xdotool mousemove --window "$KLONDIKE" 50 60 click 1
if command -v import >/dev/null 2>&1; then
    waste_changed() { [ "$(waste_picture)" != "$BEFORE" ]; }
    wait_until 5 "the drawn cards on the waste" waste_changed
else
    sleep 0.5
fi

# 5. The statistics dialog: its charts module is loaded only now; the sound module
# came with the start-up sound.
loaded() { grep -q "$1" "/proc/$APP_PID/maps" 2>/dev/null; }
if [ -r "/proc/$APP_PID/maps" ]; then
    loaded quintaro_sound.so || fail "the sound module was not loaded by the start-up sound"
    ! loaded quintaro_charts.so || fail "the charts module was loaded before any chart was shown"
fi
xdotool windowfocus --sync "$KLONDIKE"
xdotool key --clearmodifiers ctrl+s
two_captions() { [ "$(xdotool search --onlyvisible --name '^Quintaro!$' 2>/dev/null | wc -l)" -ge 2 ]; }
wait_until 10 "the statistics dialog" two_captions
if [ -r "/proc/$APP_PID/maps" ]; then
    loaded quintaro_charts.so || fail "the statistics dialog showed without the charts module"
fi
xdotool key --clearmodifiers Return
one_caption() { [ "$(xdotool search --onlyvisible --name '^Quintaro!$' 2>/dev/null | wc -l)" -eq 1 ]; }
wait_until 5 "the statistics dialog to close" one_caption

# 6. Closing the game (one move: no question), then the program.
"$XCLOSE" "$KLONDIKE" || fail "could not ask the Klondike window to close"
wait_until 5 "the Klondike window to close" window_gone '^Klondike'
"$XCLOSE" "$SELECTOR" || fail "could not ask the selector to close"
wait_until 10 "the program to end" app_ended
wait "$APP_PID"
STATUS=$?
APP_PID=
[ "$STATUS" -eq 0 ] || fail "the program ended with status $STATUS"

# 7. The settings file.
INI="$XDG_CONFIG_HOME/quintaro/Solitaire.ini"
[ -f "$INI" ] || fail "no settings file at $INI"

# The value of `key` in `section` (names compared without letter case), or nothing.
ini_value() {
    awk -v section="$1" -v key="$2" '
        BEGIN { section = tolower(section); key = tolower(key) }
        /^\[/ { current = tolower(substr($0, 2, index($0, "]") - 2)); next }
        current == section {
            eq = index($0, "=")
            if (eq > 0 && tolower(substr($0, 1, eq - 1)) == key) { print substr($0, eq + 1); exit }
        }' "$INI" | tr -d '\r'
}
expect_value() {
    local value
    value=$(ini_value "$1" "$2")
    [ -n "$value" ] || fail "[$1] $2 is missing"
    if [ $# -ge 3 ] && ! [[ "$value" =~ $3 ]]; then
        fail "[$1] $2 is \"$value\", expected $3"
    fi
}
expect_value Preferences CardSize '^1$'
expect_value Preferences TipsIndex '^0$'
expect_value Preferences ShowTips '^True$'
expect_value MainWindow Position '^-?[0-9]+,-?[0-9]+$'
expect_value Klondike NormPos '^-?[0-9]+,-?[0-9]+,672,[0-9]+$'
for key in GamesAttempted GamesWon AvgScore LongestStreak CurrentStreak; do
    [ -z "$(ini_value Klondike "$key")" ] || fail "a game of one move was recorded: [Klondike] $key"
done

echo "PASS: first start, Klondike opened, one draw, closed; settings as expected"
exit 0
