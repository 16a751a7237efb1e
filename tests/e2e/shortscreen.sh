#!/usr/bin/env bash
# Brolga on a short screen: a 1280 × 720 Xvfb, openbox, and a tint2 panel with the tray along the bottom.
# Checks, with xdotool, xwininfo and xprop:
#
#  - the window keeps its width, and its frame lies inside the screen's available area, off the tray icon;
#  - keys another program holds (openbox's own binding of Ctrl+Alt+B here) leave Brolga running as before.
#
#   shortscreen.sh PATH/TO/brolga
#
# Exits 77 (CTest's skip code) when a tool is missing; scripts/install-deps installs them all.
set -uo pipefail

brolga=${1:?usage: shortscreen.sh PATH/TO/brolga}
skip=77
missing=()
for tool in Xvfb xdotool xprop xwininfo openbox tint2; do
    command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
done
if ((${#missing[@]})); then
    echo "SKIP: ${missing[*]} not installed (scripts/install-deps installs them)"
    exit "$skip"
fi
[[ -x $brolga ]] || { echo "FAIL: $brolga is not an executable"; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/brolga-short.XXXXXX")
source "$(dirname "$0")/lib.sh"
private_home
start_xvfb 1280x720

# Openbox holds Ctrl+Alt+B itself, as a desktop's own shortcut would.
cat >"$work/rc.xml" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <keyboard><keybind key="C-A-b"><action name="Execute"><command>true</command></action></keybind></keyboard>
</openbox_config>
XML
"${orphan_guard[@]}" openbox --config-file "$work/rc.xml" >"$work/openbox.log" 2>&1 &
pids+=($!)
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
wait_for 10 wm_ready || fail "openbox did not start"

cat >"$work/tint2rc" <<TINT
panel_items = S
panel_monitor = all
panel_position = bottom center horizontal
panel_size = 100% 32
panel_layer = top
strut_policy = follow_size
autohide = 0
systray_padding = 4 2 4
systray_icon_size = 22
systray_monitor = 1
TINT
"${orphan_guard[@]}" tint2 -c "$work/tint2rc" >"$work/tint2.log" 2>&1 &
pids+=($!)
wait_for 10 grep -q 'systray started' "$work/tint2.log" || { cat "$work/tint2.log"; fail "tint2's tray did not start"; }

geometry() { # "x y width height map-state" of a window's content area
    xwininfo -id "$1" 2>/dev/null | awk '
        /Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
        /^ *Width:/ {w = $NF} /^ *Height:/ {h = $NF} /Map State/ {m = $NF}
        END {print x, y, w, h, m}'
}
find_icon() {
    local w
    for w in $(xdotool search --pid "$app_pid" 2>/dev/null); do
        read -r _ _ width height state < <(geometry "$w")
        [[ $state == IsViewable && -n $width ]] && ((width <= 64 && height <= 64)) && { echo "$w"; return 0; }
    done
    return 1
}
find_window() {
    local w
    for w in $(xdotool search --all --onlyvisible --pid "$app_pid" --name '^Brolga$' 2>/dev/null); do
        read -r _ _ width _ _ < <(geometry "$w")
        [[ $width == 470 ]] && { echo "$w"; return 0; }
    done
    return 1
}

"${orphan_guard[@]}" "$brolga" >>"$work/brolga.log" 2>&1 &
app_pid=$!
wait_for 20 find_icon >/dev/null || fail "no tray icon within 20 seconds"
icon=$(find_icon)
read -r ix iy iw ih _ < <(geometry "$icon")
xdotool mousemove $((ix + iw / 2)) $((iy + ih / 2)) click 1
wait_for 5 find_window >/dev/null || fail "a click on the tray icon showed no window 470 wide"
window=$(find_window)

# The work area the window manager gives windows (the screen less the panel), and the window's frame.
read -r ax ay aw ah < <(xprop -root _NET_WORKAREA | tr -d ',' | awk '{print $3, $4, $5, $6}')
((ah <= 720 - 32)) || fail "the panel reserves no room: work area $ax $ay $aw $ah"
inside() {
    read -r x y w h _ < <(geometry "$window")
    read -r left right top bottom < <(xprop -id "$window" _NET_FRAME_EXTENTS | tr -d ',' | awk '{print $3, $4, $5, $6}')
    [[ -n $bottom ]] || return 1
    fx=$((x - left)) fy=$((y - top)) fw=$((w + left + right)) fh=$((h + top + bottom))
    ((fx >= ax && fy >= ay && fx + fw <= ax + aw && fy + fh <= ay + ah))
}
wait_for 5 inside || fail "the frame ($fx $fy ${fw}x$fh) runs out of the work area ($ax $ay ${aw}x$ah)"
((fx + fw <= ix || ix + iw <= fx || fy + fh <= iy || iy + ih <= fy)) || fail "the window covers the tray icon"
echo "ok: on 1280x720 the window is ${w}x$h, its frame ${fw}x$fh inside the work area ${aw}x$ah, off the icon"

kill -0 "$app_pid" 2>/dev/null || fail "Brolga ended when its shortcut was held by the window manager"
xdotool key --clearmodifiers ctrl+alt+b
sleep 0.5
kill -0 "$app_pid" 2>/dev/null || fail "Brolga ended on the keys the window manager holds"
kill -TERM "$app_pid"
wait_for 2 ended "$app_pid" || fail "Brolga still running 2 seconds after SIGTERM"
wait "$app_pid" || fail "Brolga ended with status $? after SIGTERM"
app_pid=""
echo "PASS: short screen in ${SECONDS} s"
