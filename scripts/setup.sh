# Installs what the build needs on Debian 12 when something is missing. Sourced by ./play and ./test.
LANTILE_PACKAGES="cmake g++ make pkg-config qt6-base-dev qt6-qpa-plugins libsdl2-mixer-dev libgd-dev libssl-dev
  fonts-liberation2 fonts-wqy-microhei espeak-ng libgtest-dev libbenchmark-dev xvfb xauth"

lantile_setup() {
    local missing=()
    for p in $LANTILE_PACKAGES; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -q && \
        DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}

lantile_jobs() {
    nproc 2>/dev/null || echo 2
}
