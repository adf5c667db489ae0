#!/usr/bin/env bash
# From the program's start to a login that reaches the game server, in a real X server, as a player
# goes: the title menu's online entry, the first server of the list, the registration screen and
# back, the account and password typed at the keyboard, Enter. A scripted game server on 127.0.0.1
# checks the login record byte for byte. Each screen is waited for until its frame is up, and kept
# as a PNG file. Arguments: this build's bin folder, the session script, the folder for the frames.
set -uo pipefail
bin=$(cd "$1" && pwd)
session=$2
shots=$3
account='Alice_2024'
password='Pw-5678!'
. "$(dirname "$0")/program_copy.sh"

dir=$(program_copy "$bin")
mkdir -p "$shots"
rm -f "$shots"/*.png
server= xserver= game=
finish() {
    local pid
    for pid in $game $server $xserver; do
        { kill -KILL "$pid" && wait "$pid"; } 2>/dev/null
    done
    rm -rf "$dir"
}
trap finish EXIT
fail() {
    echo "$*" >&2
    [ -s "$dir/stderr" ] && cat "$dir/stderr" >&2
    exit 1
}
# until_up WHAT SECONDS: polls the command WHAT until it succeeds or the time is up.
until_up() {
    local tries=$(($2 * 10))
    until eval "$1"; do
        tries=$((tries - 1))
        [ $tries -gt 0 ] || return 1
        sleep 0.1
    done
}

# The game server, on a port the system chooses; the list of servers names only it.
"$bin/scriptserver" --port 0 "$session" >"$dir/server.out" 2>&1 &
server=$!
until_up 'grep -q "listening on" "$dir/server.out" || ! kill -0 $server 2>/dev/null' 30
port=$(sed -n 's/^scriptserver: listening on 127\.0\.0\.1:\([0-9]*\)$/\1/p' "$dir/server.out")
[ -n "$port" ] || fail "the scripted server did not start: $(cat "$dir/server.out")"
printf '[Public]\r\nServerNum=1\r\n[DIRSERVER0]\r\nname=Loopback\r\nhost=127.0.0.1\r\nport=%s\r\n' "$port" >"$dir/Dirconfig.ini"

# An X server of its own, on a display number it takes itself once it accepts clients.
Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp 5>"$dir/display" 2>"$dir/xvfb.log" &
xserver=$!
until_up '[ -n "$(cat "$dir/display")" ] || ! kill -0 $xserver 2>/dev/null' 30
[ -n "$(cat "$dir/display")" ] || fail "no X server: $(cat "$dir/xvfb.log")"
export DISPLAY=":$(cat "$dir/display")" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$dir

TMPDIR=$dir SDL_AUDIODRIVER=dummy "$dir/lantile" >/dev/null 2>"$dir/stderr" &
game=$!
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Lantile$' | head -1)
[ -n "$window" ] || fail "no window"

# shows NAME PICTURE X Y W H: waits until the window's rectangle X Y W H is that of the picture, a
# screen's background, and keeps the frame as NAME.png.
shows() {
    "$bin/screenshot" --window "$window" --until "$bin/Graphic/$2" "$3" "$4" "$5" "$6" --timeout 60 \
        "$shots/$1.png" || fail "$1: the screen did not come up; its last frame is $shots/$1.png"
}
click() {
    xdotool mousemove --window "$window" "$1" "$2" click 1
}

# Each screen is known by its title, where no widget stands; each click goes to the middle of a
# button or box, where the screen places it.
shows 11-title ModeForm/background.bmp 200 20 400 80
click 400 176 # online play, 178 x 40 at (311, 156)
shows 18-servers ChooseNetForm/background.bmp 260 148 280 44
click 400 250 # the first server, 154 x 22 at (323, 239)
shows 12-login LoginForm/background.bmp 200 118 400 44
click 519 438 # registration, 112 x 40 at (463, 418)
shows 13-register RegForm/background.bmp 200 108 400 44
click 519 498 # back, 112 x 40 at (463, 478)
shows 12-login-again LoginForm/background.bmp 200 118 400 44
rm "$shots/12-login-again.png"
click 453 226 # the account's box, 160 x 26 at (373, 213)
xdotool type --delay 40 -- "$account"
xdotool key Tab
xdotool type --delay 40 -- "$password"
xdotool key Return

until_up '! kill -0 $server 2>/dev/null' 30
"$bin/screenshot" --window "$window" "$shots/12-login-sent.png"
kill -0 $server 2>/dev/null && fail "the game server got no login: $(cat "$dir/server.out")"
wait $server
rc=$?
server=
[ $rc = 0 ] || fail "the game server: $(tail -1 "$dir/server.out")"
stop_program $game
game=
[ "$program_rc" = 0 ] || fail "the program ended with '$program_rc'"
exit 0
