#!/usr/bin/env bash
# Runs the built selfplay tool as a developer measures with it, from a folder that is not its own,
# and checks that it played the hands it counts: varied winners, endings and fans, a different game
# for another seed, and a saved game loaded back at each moment the local player may save.
# Argument: the bin folder that holds the tool and its data folder.
set -uo pipefail
bin=$1
failed=0
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

fail() {
    echo "selfplay: $1" >&2
    failed=1
}

# The value of key=... in a summary line.
field() {
    sed -n "s/.*\<$1=\([^ ]*\).*/\1/p" <<<"$2"
}

# Runs the tool into $summary: its output without the speed, which differs from run to run.
play() {
    local out
    out=$("$bin/selfplay" "$@") || fail "'selfplay $*' exited with $? after '$out'"
    summary=$(sed 's/ hands\/s=[^ ]*//' <<<"$out")
}

hands=300
play --hands $hands --seed 1
one=$summary
echo "seed 1: $one"
[ "$(field hands "$one")" = $hands ] || fail "played $(field hands "$one") of $hands hands"
[ "$(field broken "$one")" = 0 ] || fail "the table broke: $one"
winners=$(field wins "$one" | tr '/' '\n' | grep -vc '^0$')
[ "$winners" -ge 3 ] || fail "only $winners seats ever won: $one"
# Hands end drawn, won on a discard and self-drawn.
wins=$(field wins "$one" | tr '/' '+')
selfdrawn=$(field selfdrawn "$one")
[ $(("$(field draws "$one")" + selfdrawn)) -gt 0 ] || fail "no hand was drawn and no win self-drawn: $one"
[ "$selfdrawn" -lt $((wins)) ] || fail "no win on a discard: $one"
[ "$(field differentfans "$one")" -gt 10 ] || fail "only $(field differentfans "$one") different fans: $one"

play --hands $hands --seed 2
two=$summary
echo "seed 2: $two"
[ "$one" != "$two" ] || fail "seeds 1 and 2 played the same game: $one"

# The local player may save at each of his turns: about ten times a hand.
trips=30
play --hands $trips --seed 1 --roundtrip
round=$summary
echo "roundtrip: $round"
count=$(field roundtrips "$round")
[ -n "$count" ] && [ "$count" -ge $((trips * 6)) ] && [ "$count" -le $((trips * 16)) ] ||
    fail "'$count' round trips in $trips hands"
[ "$(field mismatches "$round")" = 0 ] || fail "saved games came back otherwise: $round"

exit $failed
