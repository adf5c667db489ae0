# Sourced by the scripts that start the program. program_copy BIN prints a new folder that holds a
# copy of the program beside links to its data folder, so that the settings it writes stay out of
# the build. Started with TMPDIR set to that folder, its one-instance lock stays there too, apart
# from any game the user runs.
program_copy() {
    local dir entry
    dir=$(mktemp -d)
    cp "$1/lantile" "$dir/"
    for entry in "$1"/*; do
        case "$(basename "$entry")" in
        Graphic | Wave | ad | *.gif | *.rcc) ln -s "$entry" "$dir/" ;;
        *.ini | *.txt) cp "$entry" "$dir/" ;;
        esac
    done
    echo "$dir"
}

# stop_program PID: SIGTERM, as Ctrl-C would end it, then waits up to ten seconds; sets program_rc
# to its exit code, or to "hung" after killing it. Called from the shell that started it.
stop_program() {
    local pid=$1 waited=0
    kill -TERM "$pid" 2>/dev/null
    while kill -0 "$pid" 2>/dev/null && [ $waited -lt 100 ]; do
        sleep 0.1
        waited=$((waited + 1))
    done
    if kill -0 "$pid" 2>/dev/null; then
        kill -KILL "$pid"
        program_rc=hung
        return
    fi
    wait "$pid" 2>/dev/null
    program_rc=$?
}
