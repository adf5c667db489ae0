#!/usr/bin/env bash
# The program as ./play starts it, in a real X server at 16 and 24 bits per pixel: its window
# "Lantile" appears, the banner fades in, and SIGTERM ends it with exit code 0 and its settings
# written. Argument: this build's bin folder.
set -uo pipefail
bin=$1
failed=0
. "$(dirname "$0")/program_copy.sh"

for depth in 16 24; do
    dir=$(program_copy "$bin")
    result=$(xvfb-run -a -s "-screen 0 1024x768x$depth" bash -c '
        . "$1"
        TMPDIR=$2 QT_QPA_PLATFORM=xcb SDL_AUDIODRIVER=dummy "$2/lantile" >/dev/null 2>"$2/stderr" &
        pid=$!
        if ! timeout 60 xdotool search --sync --onlyvisible --name "^Lantile$" >/dev/null; then
            kill -KILL $pid
            echo "no window"
            exit
        fi
        sleep 3 # the banner takes two seconds
        stop_program $pid
        echo "$program_rc"
    ' _ "$(dirname "$0")/program_copy.sh" "$dir")
    if [ "$result" != 0 ]; then
        echo "depth $depth: $result" >&2
        cat "$dir/stderr" >&2
        failed=1
    elif ! grep -q '^Style=0' "$dir/SET.ini"; then
        echo "depth $depth: no settings written" >&2
        failed=1
    fi
    rm -rf "$dir"
done
exit $failed
