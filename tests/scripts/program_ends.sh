#!/usr/bin/env bash
# How the program ends, in a real X server: a NetWork start whose server closes the connection after
# the login, or never answers it, shows its box alone, ends with exit code 1 once the box is closed,
# and leaves no process behind; SIGTERM ends the program with exit code 0, its settings written, whether a box is up, the "running" box of a second start is up, the logo
# is still fading in, or dice thrown two hundred times in one write are rolling. The boxes are kept
# as PNG files. A program that misses the signal or the closed box never ends; one that takes it
# ends in well under a second, so ten seconds leave room for a loaded machine and a sanitizer's
# checks at the exit. Arguments: this build's bin folder, the folder for the pictures.
set -uo pipefail
. "$(dirname "$0")/program_copy.sh"
. "$(dirname "$0")/scripted_x.sh"

# The first start's server closes the connection once the login has come.
login='expect 100 1:"tester" 21:"secret" 51..63:* 101=120 103=20'
first=$(mktemp)
printf '%s\nclose\n' "$login" >"$first"
scripted_x_start "$1" "$first" "$2"
rm -f "$first"

# session LINES: the server for the next start plays these lines.
session() {
    printf '%s\n' "$@" >"$dir/next.session"
    serve "$bin" "$dir/next.session"
}
start() {
    TMPDIR=$dir SDL_AUDIODRIVER=dummy "$dir/lantile" "$@" >/dev/null 2>>"$dir/stderr" &
    game=$!
}
# titled TITLE: the program's visible window of exactly that title (xdotool's own search ignores case).
titled() {
    local w
    for w in $(xdotool search --onlyvisible --pid "$game" 2>/dev/null); do
        [ "$(xdotool getwindowname "$w" 2>/dev/null)" = "$1" ] && echo "$w" && return 0
    done
    return 1
}
# box TITLE SECONDS: that window, waited for.
box() {
    local title=$1
    until_up 'titled "$title" >/dev/null' "$2" || return 1
    titled "$title"
}
# ends_within SECONDS: the program has ended by then; sets rc to its exit code.
ends_within() {
    until_up '! kill -0 $game 2>/dev/null' "$1" || fail "the program still runs after $1 s"
    wait "$game"
    rc=$?
    kill -0 "$game" 2>/dev/null && fail "process $game is still there"
    game=
}
settings_written() {
    grep -q '^Animate=' "$dir/SET.ini" 2>/dev/null || fail "$1: no settings written"
    rm -f "$dir/SET.ini"
}

# A NetWork start: the server closes after the login; then one that never answers it.
for way in closes silent; do
    if [ $way = closes ]; then
        title=信息 wait_box=20
    else
        session "$login" "pause 100000"
        title=Lantile wait_box=45
    fi
    begun=$(date +%s)
    start NetWork tester secret 127.0.0.1
    box=$(box $title $wait_box) || fail "$way: no box"
    [ $way = silent ] && [ $(($(date +%s) - begun)) -lt 25 ] && fail "$way: the box came before the login's time-out"
    [ "$(windows)" = 1 ] || fail "$way: more than the box is shown"
    sleep 1
    "$bin/screenshot" --window "$box" "$shots/network-$way.png"
    # Enter closes the box once it takes the keyboard.
    until_up 'xdotool windowfocus --sync "$box" 2>/dev/null; xdotool key Return; sleep 0.5; ! kill -0 $game 2>/dev/null' 10
    ends_within 10
    [ "$rc" = 1 ] || fail "$way: the NetWork start that failed ended with code $rc"
done

# SIGTERM while the logo fades in.
start
window=$(timeout 60 xdotool search --sync --onlyvisible --pid "$game" --name '^Lantile$' | head -1)
[ -n "$window" ] || fail "no window"
kill -TERM "$game"
ends_within 10
[ "$rc" = 0 ] || fail "SIGTERM during the logo: exit code $rc"
settings_written "SIGTERM during the logo"

# SIGTERM with a server's text up in its box, over the lobby.
session "$login" "send 102 3=1" 'send 100 1:"请注意"' "pause 100000"
start NetWork tester secret 127.0.0.1
# The box bears the window's own title.
lantiles() {
    local w n=0
    for w in $(xdotool search --onlyvisible --pid "$game" 2>/dev/null); do
        [ "$(xdotool getwindowname "$w" 2>/dev/null)" = Lantile ] && n=$((n + 1))
    done
    echo $n
}
until_up '[ "$(lantiles)" = 2 ]' 60 || fail "no box over the lobby"
sleep 3 # past the logo's fade, which the window's first show brings
"$bin/screenshot" "$shots/text-box.png"
kill -TERM "$game"
ends_within 10
[ "$rc" = 0 ] || fail "SIGTERM with a box up: exit code $rc"
settings_written "SIGTERM with a box up"

# SIGTERM five seconds into two hundred throws of the dice written at once, at the table.
session "$login" "send 102 3=1" "send 9 3=0 4=1 6=1 9=0" "send 5 2=1 3=0 4=1 5=2 6=3 7=4 times=200" "pause 100000"
start NetWork tester secret 127.0.0.1
until_up '[ "$(lantiles)" -ge 1 ]' 60 || fail "no window at the table"
sleep 5
kill -TERM "$game"
ends_within 10
[ "$rc" = 0 ] || fail "SIGTERM while the dice roll: exit code $rc"
settings_written "SIGTERM while the dice roll"

# SIGTERM to a second start showing "Lantile is running."; the first then ends the same way.
start
first=$game
timeout 60 xdotool search --sync --onlyvisible --pid "$first" --name '^Lantile$' >/dev/null || fail "no first window"
sleep 3
start
box=$(box Infomation 30) || fail "no running box"
"$bin/screenshot" --window "$box" "$shots/running.png"
kill -TERM "$game"
ends_within 10
[ "$rc" = 0 ] || fail "SIGTERM with the running box up: exit code $rc"
game=$first
kill -TERM "$game"
ends_within 10
[ "$rc" = 0 ] || fail "SIGTERM to the first start: exit code $rc"
settings_written "SIGTERM to the first start"
echo "every way ended as it should"
exit 0
