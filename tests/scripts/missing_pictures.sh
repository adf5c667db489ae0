#!/usr/bin/env bash
# A damaged data folder as a player meets it, in a real X server. Without a picture of the table
# ("Graphic/DeskMj.bmp") and without the bundle beside the program ("MjRes.rcc"), a box comes up
# over the window and the program ends with exit code 1 once it is closed. Without the title's
# background the title menu still comes up, from the pictures the program carries itself. The
# frames are kept as PNG files. Arguments: this build's bin folder, the folder for the frames.
set -uo pipefail
bin=$(cd "$1" && pwd)
shots=$2
. "$(dirname "$0")/program_copy.sh"
. "$(dirname "$0")/scripted_x.sh"

mkdir -p "$shots"
rm -f "$shots"/*.png
dir=$(program_copy "$bin")
server= xserver= game=
trap finish EXIT
start_x "$dir"
# Pictures can go from the copy without touching the build's.
rm "$dir/Graphic"
cp -rs "$bin/Graphic" "$dir/Graphic"

start_program() {
    TMPDIR=$dir SDL_AUDIODRIVER=dummy "$dir/lantile" >/dev/null 2>"$dir/stderr" &
    game=$!
}

# The visible window called Lantile that is not the 800 x 600 game window.
message_box() {
    local id
    for id in $(xdotool search --onlyvisible --name '^Lantile$' 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$id")"
        if [ "$WIDTH" != 800 ] || [ "$HEIGHT" != 600 ]; then
            echo "$id"
            return
        fi
    done
}

rm "$dir/Graphic/DeskMj.bmp" "$dir/MjRes.rcc"
start_program
box=
until_up 'box=$(message_box); [ -n "$box" ] || ! kill -0 $game 2>/dev/null' 60
[ -n "$box" ] || fail "no box told of the missing picture"
sleep 0.5 # its text is drawn
"$bin/screenshot" "$shots/31-missing-picture.png"
kill -0 $game 2>/dev/null || fail "the program ended before the box was closed"
xdotool windowfocus --sync "$box" key Return
until_up '! kill -0 $game 2>/dev/null' 30 || fail "the program went on after the box"
wait $game
rc=$?
game=
[ $rc = 1 ] || fail "after a missing picture the program ended with $rc"

ln -s "$bin/Graphic/DeskMj.bmp" "$dir/Graphic/DeskMj.bmp"
ln -s "$bin/MjRes.rcc" "$dir/MjRes.rcc"
rm "$dir/Graphic/ModeForm/background.bmp"
start_program
window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Lantile$' | head -1)
[ -n "$window" ] || fail "no window"
shows 32-title-from-the-program ModeForm/background.bmp 200 20 400 80
[ -z "$(message_box)" ] || fail "a box came up over the title"
program_done
exit 0
