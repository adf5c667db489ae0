#!/usr/bin/env bash
# Runs every command the README shows (its indented lines), so that none of them can drift from
# what the tools accept. Arguments: the source folder and this build's bin folder, which stands in
# for the folders the README builds into. A command that no case below knows fails the test.
set -uo pipefail
src=$1
bin=$2
failed=0

fail() {
    echo "README command failed: $1" >&2
    echo "  $2" >&2
    failed=1
}

# Commands written in running text would escape the check.
if grep -n '`\(\./\|build/\|cmake\|echo\)[^`]* [^`]*`' "$src/README.md"; then
    fail "a command written in the text" "show it on an indented line of its own"
fi

# The program prints one line as it starts; through a pipe it must arrive at once, not at exit. It
# runs from a copy beside the data folder, so that the settings it writes stay out of the build.
check_program() {
    local dir out pid line=""
    dir=$(mktemp -d)
    cp "$bin/lantile" "$dir/"
    for entry in "$bin"/*; do
        case "$(basename "$entry")" in
        Graphic | Wave | *.gif) ln -s "$entry" "$dir/" ;;
        *.ini | *.txt) cp "$entry" "$dir/" ;;
        esac
    done
    out=$(mktemp -u)
    mkfifo "$out"
    QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy "$dir/lantile" >"$out" 2>/dev/null &
    pid=$!
    read -r -t 60 line <"$out"
    # Ended as Ctrl-C would end it, at once after its first line; forced after ten seconds.
    kill -TERM "$pid" 2>/dev/null
    local waited=0
    while kill -0 "$pid" 2>/dev/null && [ $waited -lt 100 ]; do
        sleep 0.1
        waited=$((waited + 1))
    done
    if kill -0 "$pid" 2>/dev/null; then
        kill -KILL "$pid"
        fail "$1" "the program did not end on SIGTERM"
    fi
    wait "$pid" 2>/dev/null
    rm -rf "$dir" "$out"
    [[ $line == Lantile:* ]] || fail "$1" "no start-up line through a pipe (got '$line')"
}

while IFS= read -r raw; do
    command=$(sed -e 's/^ *//' -e 's/ *#.*$//' <<<"$raw")
    local_command=${command//build\/rel\/bin/$bin}
    case "$command" in
    ./play)
        grep -q 'exec build/release/bin/lantile' "$src/play" || fail "$command" "./play no longer starts the program"
        check_program "$command"
        ;;
    ./test)
        ;; # this very run
    "cmake -S . -B build/rel "*)
        # Configured into a scratch folder: the options must exist; building is what ./test does.
        scratch=$(mktemp -d)
        (cd "$src" && eval "${command/build\/rel/$scratch}" >/dev/null) || fail "$command" "does not configure"
        rm -rf "$scratch"
        ;;
    "cmake --build build/rel"*)
        ;; # the same build ./test has just made of this tree
    *handcheck*)
        result=$(cd "$src" && eval "$local_command")
        [[ $result == total=* ]] || fail "$command" "handcheck answered '$result'"
        ;;
    *selfplay*)
        # Fewer hands: this build is instrumented and much slower.
        result=$(eval "${local_command/--hands 10000/--hands 30}")
        [[ $result == *" broken=0" ]] || fail "$command" "selfplay answered '$result'"
        ;;
    *_bench)
        eval "$local_command --benchmark_list_tests=true" >/dev/null || fail "$command" "does not start"
        ;;
    *)
        fail "$command" "no test knows this command"
        ;;
    esac
done < <(grep -E '^ {4,}[^ ]' "$src/README.md")

exit $failed
