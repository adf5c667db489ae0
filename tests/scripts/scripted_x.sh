# Sourced by the scripts that play the program in an X server of their own, most against the scripted
# game server; program_copy.sh comes first. scripted_x_start BIN SESSION SHOTS (the scripts' own
# arguments: this build's bin folder, the session script, the folder for the frames) sets $bin,
# $session and $shots, empties the frames' folder, makes the program's copy in $dir, starts the
# server on a port the system chooses (the copy's server list names only it) and the X server, and
# exports DISPLAY; what was started stops when the script exits.
finish() {
    local pid
    for pid in $game $server $xserver; do
        { kill -KILL "$pid" && wait "$pid"; } 2>/dev/null
    done
    rm -rf "$dir"
}
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

scripted_x_start() {
    bin=$(cd "$1" && pwd)
    session=$2
    shots=$3
    mkdir -p "$shots"
    rm -f "$shots"/*.png
    dir=$(program_copy "$bin")
    server= xserver= game=
    trap finish EXIT
    serve "$bin" "$session"
    start_x "$dir"
}

# serve BIN SESSION: the scripted server of BIN playing SESSION on a port the system chooses, its pid
# in $server, and the copy's server list naming only it; a server started before stops first.
serve() {
    [ -n "$server" ] && { kill -KILL "$server" && wait "$server"; } 2>/dev/null
    "$1/scriptserver" --port 0 "$2" >"$dir/server.out" 2>&1 &
    server=$!
    until_up 'grep -q "listening on" "$dir/server.out" || ! kill -0 $server 2>/dev/null' 30
    local port
    port=$(sed -n 's/^scriptserver: listening on 127\.0\.0\.1:\([0-9]*\)$/\1/p' "$dir/server.out")
    [ -n "$port" ] || fail "the scripted server did not start: $(cat "$dir/server.out")"
    printf '[Public]\r\nServerNum=1\r\n[DIRSERVER0]\r\nname=Loopback\r\nhost=127.0.0.1\r\nport=%s\r\n' "$port" \
        >"$dir/Dirconfig.ini"
}

# start_x FOLDER: an X server of its own, on a display number it takes itself once it accepts
# clients, its pid in $xserver; exports DISPLAY, and keeps the toolkit's runtime files in FOLDER.
start_x() {
    Xvfb -displayfd 5 -screen 0 1024x768x24 -nolisten tcp 5>"$1/display" 2>"$1/xvfb.log" &
    xserver=$!
    until_up '[ -n "$(cat "$1/display" 2>/dev/null)" ] || ! kill -0 $xserver 2>/dev/null' 30
    [ -n "$(cat "$1/display" 2>/dev/null)" ] || fail "no X server: $(cat "$1/xvfb.log")"
    export DISPLAY=":$(cat "$1/display")" QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR=$1
}

# program_start ARGS...: the program's copy started with the arguments; $game is its process and
# $window, once it is up, its main window.
program_start() {
    TMPDIR=$dir SDL_AUDIODRIVER=dummy "$dir/lantile" "$@" >/dev/null 2>"$dir/stderr" &
    game=$!
    window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Lantile$' | head -1)
    [ -n "$window" ] || fail "no main window"
}

# click X Y: a click at a point of the frame.
click() {
    xdotool mousemove --window "$window" "$1" "$2" click 1
}

# windows: how many windows of the program are up; a box or a menu adds one.
windows() {
    xdotool search --onlyvisible --pid "$game" 2>/dev/null | wc -l
}

# network_lobby: a NetWork start as tester against the scripted server, up to the lobby after the
# login (kept as $shots/1-lobby.png). The lobby is known by its title bar, where no table stands; the
# window's first show fades the logo in over it for two seconds, so it is waited for again after that.
# Half a second into the fade, the frame's white stands where the lobby's lists will: no list stands
# over the logo ($shots/0-logo.png).
network_lobby() {
    program_start NetWork tester secret 127.0.0.1
    sleep 0.5
    "$bin/screenshot" --window "$window" --until '#FFFFFF' 593 96 196 333 --timeout 0 "$shots/0-logo.png" ||
        fail "a list stands over the logo: $shots/0-logo.png"
    shows 1-lobby NetForm/Room.bmp 200 30 250 40
    sleep 1
    shows 1-lobby NetForm/Room.bmp 200 30 250 40
}

# shows NAME PICTURE X Y W H [PX PY]: waits until the rectangle X Y W H of $window is that of the
# picture, a screen's background drawn at the window's corner or at (PX, PY), and keeps the frame as
# $shots/NAME.png.
shows() {
    "$bin/screenshot" --window "$window" --until "$bin/Graphic/$2" "$3" "$4" "$5" "$6" --at "${7:-0}" "${8:-0}" \
        --timeout 60 "$shots/$1.png" || fail "$1: the screen did not come up; its last frame is $shots/$1.png"
}

# server_done WHAT: the server has gone through its script; WHAT names what it should have got, for
# the failure's message.
server_done() {
    until_up '! kill -0 $server 2>/dev/null' 30
    kill -0 $server 2>/dev/null && fail "the game server got no $1: $(cat "$dir/server.out")"
    wait $server
    local rc=$?
    server=
    [ $rc = 0 ] || fail "the game server: $(tail -1 "$dir/server.out")"
}
# The program ends as Ctrl-C ends it, cleanly.
program_done() {
    stop_program $game
    game=
    [ "$program_rc" = 0 ] || fail "the program ended with '$program_rc'"
}

# type_text WINDOW TEXT: types TEXT into the window. Characters the keyboard lacks are first bound
# to keys of their own, all at once: xdotool alone lends one spare key to each character in turn, and
# a busy client that reads the keymap after the next loan takes the next character instead.
type_text() {
    local map="$dir/keymap.xkb" spare c i=0
    xkbcomp -xkb "$DISPLAY" "$map" 2>/dev/null || fail "the keymap cannot be read"
    # Key names the keycodes section defines and no symbols use.
    mapfile -t spare < <(awk '
        /^xkb_keycodes/ { part = "codes" } /^xkb_symbols/ { part = "symbols" }
        part == "codes" && /^[ \t]*<I[0-9]+>[ \t]*=/ { gsub(/[ \t<>=;]/, " "); split($0, f, " "); named[f[1]] = 1 }
        part == "symbols" && /^[ \t]*key <I[0-9]+>/ { match($0, /<I[0-9]+>/); used[substr($0, RSTART + 1, RLENGTH - 2)] = 1 }
        END { for (k in named) if (!(k in used)) print k }' "$map" | sort -V)
    local keys=""
    while IFS= read -r c; do
        [ $i -lt ${#spare[@]} ] || fail "no spare key left for $c"
        keys+="    key <${spare[$i]}> { [ U$(printf '%s' "$c" | iconv -f UTF-8 -t UTF-32BE | od -An -tx1 | tr -d ' \n' | sed 's/^0*//' | tr a-f A-F) ] };"$'\n'
        i=$((i + 1))
    done < <(printf '%s' "$2" | LC_ALL=C.UTF-8 grep -o . | LC_ALL=C.UTF-8 sort -u)
    KEYS=$keys awk '/^xkb_symbols/ { part = 1 } part && /^};/ { printf "%s", ENVIRON["KEYS"]; part = 0 } { print }' \
        "$map" >"$map.new" && xkbcomp "$map.new" "$DISPLAY" 2>/dev/null || fail "the keymap cannot be set"
    sleep 0.5
    xdotool type --window "$1" --delay 80 -- "$2"
}
