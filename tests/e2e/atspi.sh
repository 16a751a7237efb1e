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
source "$here/lib.sh"
private_home keep-bus
# Where "Open at login" puts its autostart entry, for atspi_read.py to look.
export XDG_CONFIG_HOME=$work/config
# Qt joins the accessibility bus only when a reader is on; here we are the reader.
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
start_xvfb

"${orphan_guard[@]}" "$brolga" >>"$work/brolga.log" 2>&1 &
app_pid=$!
window=$(timeout 20 xdotool search --all --sync --onlyvisible --pid "$app_pid" --name '^Brolga$' 2>/dev/null | head -n 1)
[[ -n $window ]] || fail "no Brolga window within 20 seconds"
xdotool mousemove --window "$window" 200 20
xdotool windowfocus --sync "$window" 2>/dev/null || true

"$python" "$here/atspi_read.py" || fail "the window as a screen reader reads it (above)"
echo "PASS: read and typed through AT-SPI in ${SECONDS} s"
