#!/usr/bin/env bash
# Runs every command the README shows (its indented lines), so that none of them can drift from
# what the tools accept. Arguments: the source folder and this build's bin folder, which stands in
# for the folders the README builds into. A command that no case below knows fails the test.
set -uo pipefail
src=$1
bin=$2
failed=0
. "$(dirname "$0")/program_copy.sh"

fail() {
    echo "README command failed: $1" >&2
    echo "  $2" >&2
    failed=1
}

# Commands written in running text would escape the check.
if grep -n '`\(\./\|build/\|cmake\|echo\)[^`]* [^`]*`' "$src/README.md"; then
    fail "a command written in the text" "show it on an indented line of its own"
fi

# The program runs headless until SIGTERM, which ends it with exit code 0 and its settings written.
check_program() {
    local dir pid waited=0
    dir=$(program_copy "$bin")
    TMPDIR=$dir QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy "$dir/lantile" >/dev/null 2>&1 &
    pid=$!
    # Started once it holds its one-instance lock.
    until [ -e "$dir/lantile.lock" ] || [ $waited -ge 600 ]; do
        sleep 0.1
        waited=$((waited + 1))
    done
    sleep 1
    stop_program "$pid"
    [ "$program_rc" = 0 ] || fail "$1" "SIGTERM ended the program with '$program_rc'"
    grep -q '^Style=0' "$dir/SET.ini" 2>/dev/null || fail "$1" "no settings written at the end"
    rm -rf "$dir"
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
    *startup)
        result=$(eval "$local_command")
        [[ $result == "first frame shown "* ]] || fail "$command" "startup answered '$result'"
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
