# Installs what the build needs on Debian 12 when something is missing. Sourced by ./play and ./test.
LANTILE_PACKAGES="cmake g++ make pkg-config qt6-base-dev qt6-qpa-plugins libsdl2-mixer-dev libgd-dev libssl-dev
  qt6-translations-l10n fonts-liberation2 fonts-wqy-microhei espeak-ng libgtest-dev libbenchmark-dev xvfb xauth xdotool
  dante-server microsocks tinyproxy"

lantile_setup() {
    local missing=()
    for p in $LANTILE_PACKAGES; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    lantile_apt $sudo apt-get update -q && \
        lantile_apt $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# Runs an apt-get command line. On a fresh machine another apt (often the system's own update) may
# hold the package locks: wait for it, up to ten minutes, instead of failing. apt waits for the
# dpkg lock itself when asked; the lists and archives locks are retried here.
lantile_apt() {
    local deadline=$((SECONDS + 600)) log
    log=$(mktemp)
    until "$@" -o DPkg::Lock::Timeout=600 2>"$log"; do
        cat "$log" >&2
        if ! grep -q "Could not get lock" "$log" || [ "$SECONDS" -ge "$deadline" ]; then
            rm -f "$log"
            return 1
        fi
        echo "Waiting for another package manager to finish..." >&2
        sleep "${LANTILE_APT_RETRY:-5}"
    done
    cat "$log" >&2
    rm -f "$log"
}

lantile_jobs() {
    nproc 2>/dev/null || echo 2
}
