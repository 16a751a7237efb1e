#!/usr/bin/env bash
# Brolga as a screen reader sees it: the real window in Xvfb on a private D-Bus session with the AT-SPI
# accessibility bus. atspi_read.py reads the Repayment hero figure by its accessible name, types a new loan
# amount into the field found by its accessible name and reads the figure again.
#
#   atspi.sh PATH/TO/brolga
#
# Exits 77 (CTest's skip code) when Xvfb, xdotool, dbus-run-session, the AT-SPI bus or python3-pyatspi is
# missing; scripts/install-deps installs them.
set -uo pipefail

brolga=${1:?usage: atspi.sh PATH/TO/brolga}
here=$(cd "$(dirname "$0")" && pwd)
skip=77
python=/usr/bin/python3

missing=()
for tool in Xvfb xdotool dbus-run-session; do
    command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
done
[[ -x /usr/libexec/at-spi-bus-launcher ]] || missing+=(at-spi2-core)
{ [[ -x $python ]] && "$python" -c 'import pyatspi' 2>/dev/null; } || missing+=(python3-pyatspi)
if ((${#missing[@]})); then
    echo "SKIP: ${missing[*]} not installed (scripts/install-deps installs them); reading the window as a screen reader does needs them"
    exit "$skip"
fi
[[ -x $brolga ]] || { echo "FAIL: $brolga is not an executable"; exit 1; }

# Everything below runs on a bus of its own, which ends with this script.
if [[ -z ${BROLGA_ATSPI_INNER:-} ]]; then
    export BROLGA_ATSPI_INNER=1
    unset DBUS_SESSION_BUS_ADDRESS AT_SPI_BUS_ADDRESS
    exec dbus-run-session -- bash "$0" "$brolga"
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/brolga-atspi.XXXXXX")
xvfb_pid=""
app_pid=""

ended() { ! kill -0 "$1" 2>/dev/null || [[ $(cut -d' ' -f3 "/proc/$1/stat" 2>/dev/null) == Z ]]; }
stop() {
    local pid=$1
    [[ -n $pid ]] || return 0
    if ! ended "$pid"; then
        kill "$pid" 2>/dev/null
        for _ in $(seq 30); do ended "$pid" && break; sleep 0.1; done
        ended "$pid" || kill -KILL "$pid" 2>/dev/null
    fi
    wait "$pid" 2>/dev/null
}
cleanup() {
    stop "$app_pid"
    stop "$xvfb_pid"
    [[ -n ${E2E_KEEP:-} ]] && echo "kept $work" || rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM

fail() {
    echo "FAIL: $*"
    [[ -s $work/brolga.log ]] && { echo "--- brolga's output"; tail -n 40 "$work/brolga.log"; }
    exit 1
}

export HOME=$work/home
mkdir -p "$HOME/Desktop" "$work/run"
chmod 700 "$work/run"
export XDG_RUNTIME_DIR=$work/run
unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME XDG_STATE_HOME XDG_CONFIG_DIRS XDG_DATA_DIRS
unset WAYLAND_DISPLAY SESSION_MANAGER
export LANG=en_AU.UTF-8 LC_ALL=
export QT_QPA_PLATFORM=xcb
# Qt joins the accessibility bus only when a reader is on; here we are the reader.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export ASAN_OPTIONS=${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0

orphan_guard=()
command -v setpriv >/dev/null && orphan_guard=(setpriv --pdeathsig TERM --)

"${orphan_guard[@]}" Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do grep -q '[0-9]' "$work/display" && break; sleep 0.1; done
grep -q '[0-9]' "$work/display" || fail "Xvfb did not start"
export DISPLAY=:$(tr -dc 0-9 <"$work/display")

"${orphan_guard[@]}" "$brolga" >>"$work/brolga.log" 2>&1 &
app_pid=$!
window=$(timeout 20 xdotool search --sync --onlyvisible --pid "$app_pid" --name '^Brolga$' 2>/dev/null | head -n 1)
[[ -n $window ]] || fail "no Brolga window within 20 seconds"
xdotool mousemove --window "$window" 200 20
xdotool windowfocus --sync "$window" 2>/dev/null || true

"$python" "$here/atspi_read.py" || fail "the window as a screen reader reads it (above)"
echo "PASS: read and typed through AT-SPI in ${SECONDS} s"
