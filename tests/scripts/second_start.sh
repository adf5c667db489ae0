#!/usr/bin/env bash
# One copy of the game per program folder, whatever the environment it starts in, in a real X
# server: while a copy runs, a second start of the same folder from another working folder and with
# another TMPDIR shows "Lantile is running.", and once that is answered ends with exit code 0 and no
# window of its own; a copy in another folder starts beside it. The first start removes what a write
# killed half way left behind (SET.ini.tmp, Save/1.cmj.tmp) and keeps the files themselves.
# Argument: this build's bin folder.
set -uo pipefail
bin=$(cd "$1" && pwd)
. "$(dirname "$0")/program_copy.sh"
. "$(dirname "$0")/scripted_x.sh"

one=$(program_copy "$bin")
two=$(program_copy "$bin")
dir=$one # where fail looks for the program's errors
first= second= third= xserver=
finish() {
    local pid
    for pid in $first $second $third $xserver; do
        { kill -KILL "$pid" && wait "$pid"; } 2>/dev/null
    done
    rm -rf "$one" "$two"
}
trap finish EXIT

# Windows of the game now showing.
game_windows() {
    xdotool search --onlyvisible --name '^Lantile$' 2>/dev/null | wc -l
}

mkdir -p "$one/Save" "$one/elsewhere" "$two/tmp"
printf 'the game kept' >"$one/Save/1.cmj"
printf 'half' >"$one/Save/1.cmj.tmp"
printf 'half' >"$one/SET.ini.tmp"

start_x "$one"
export SDL_AUDIODRIVER=dummy

(cd "$one" && TMPDIR=$one exec "$one/lantile") >/dev/null 2>"$one/stderr.1" &
first=$!
until_up '[ "$(game_windows)" = 1 ]' 60 || fail "the first copy shows no window: $(cat "$one/stderr.1")"
[ -e "$one/Save/1.cmj.tmp" ] && fail "the first start left Save/1.cmj.tmp"
[ -e "$one/SET.ini.tmp" ] && fail "the first start left SET.ini.tmp"
[ "$(cat "$one/Save/1.cmj")" = 'the game kept' ] || fail "the first start changed Save/1.cmj"

# The same folder from another working folder, with another temporary folder.
(cd "$one/elsewhere" && TMPDIR=$two/tmp exec "$one/lantile") >/dev/null 2>"$one/stderr.2" &
second=$!
box=
until_up 'box=$(xdotool search --onlyvisible --name "^Infomation$" 2>/dev/null | head -1); [ -n "$box" ]' 60 ||
    fail "the second start shows no box: $(cat "$one/stderr.2")"
[ "$(game_windows)" = 1 ] || fail "the second start opened a game window"
# The box's OK button has the focus.
xdotool windowfocus --sync "$box" key Return
until_up '! kill -0 $second 2>/dev/null' 30 || fail "the second start is still running after its box"
wait $second
rc=$?
second=
[ $rc = 0 ] || fail "the second start ended with $rc: $(cat "$one/stderr.2")"

# A copy in another folder is another game.
(cd "$two" && TMPDIR=$one exec "$two/lantile") >/dev/null 2>"$two/stderr" &
third=$!
until_up '[ "$(game_windows)" = 2 ]' 60 || fail "the copy in another folder shows no window: $(cat "$two/stderr")"

for pid in $third $first; do
    stop_program "$pid"
    [ "$program_rc" = 0 ] || fail "a copy ended with '$program_rc'"
done
first= third=
exit 0
