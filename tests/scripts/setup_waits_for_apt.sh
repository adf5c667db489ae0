#!/usr/bin/env bash
# The setup's apt calls wait while another package manager holds a lock, and fail at once on any
# other error. apt itself is stood in for by a function. Argument: the source folder.
set -u
. "$1/scripts/setup.sh"
export LANTILE_APT_RETRY=0
failed=0

calls=0
args=""
busy_twice() {
    calls=$((calls + 1))
    if [ "$calls" -le 2 ]; then
        echo "E: Could not get lock /var/lib/apt/lists/lock. It is held by process 1 (apt-get)" >&2
        return 100
    fi
    args="$*"
}
if ! lantile_apt busy_twice update -q 2>/dev/null || [ "$calls" -ne 3 ]; then
    echo "a held lock was not waited for (calls: $calls)" >&2
    failed=1
fi
[[ $args == *"-o DPkg::Lock::Timeout="* ]] || { echo "apt is not told to wait for its own lock: $args" >&2; failed=1; }

calls=0
broken() {
    calls=$((calls + 1))
    echo "E: Unable to locate package nothing-of-the-kind" >&2
    return 100
}
if lantile_apt broken install nothing-of-the-kind 2>/dev/null || [ "$calls" -ne 1 ]; then
    echo "another error was retried or taken for success (calls: $calls)" >&2
    failed=1
fi
exit $failed
