#!/usr/bin/env bash
# Brolga end to end on a desktop with a system tray: Xvfb, the openbox window manager and a tint2 panel
# along the bottom edge carrying the tray. Checks, with xdotool, xwininfo and xprop:
#
#  - the first start opens the window above the tray icon, within 40 px of it, when the icon is clicked;
#  - every later start opens the window by itself, with the keyboard in it;
#  - a left click on the icon hides and shows the window; the window has no maximise or resize action;
#  - keyboard focus starts in the first field: typed digits land in the loan amount;
#  - SIGTERM, Ctrl+Q and the tray menu's "Quit Brolga" each end the program within 2 s with status 0, the
#    window shown, and the amount typed just before is there on the next start;
#  - ten quit-and-restart cycles keep the window's top-left corner to the pixel;
#  - Ctrl+Alt+B, pressed anywhere, hides the window that has the keyboard and brings it back;
#  - pressed twice in a row it hides the window and brings it straight back, and a third press hides it again;
#  - after a client's name is asked twice (the first left empty) the keyboard is back in the field that had it;
#  - after Always on top is toggled, and after the window is then hidden and shown, it is still out of the task
#    bar and the pager, on every desktop, where it was (and switching desktops keeps it);
#  - with the pin off, a click on the icon raises the window from under another program's, then hides it;
#  - a second launch ends at once with status 0, leaves one Brolga and brings its window up;
#  - a client deleted from the keyboard in "All clients" (Backspace does not delete, Delete does) comes back
#    after the window closed and Brolga restarted, from the tray's Clients menu, and brolga-report lists it again;
#  - started at login (--autostart) only the tray icon appears, and a second such start brings nothing up,
#    though Brolga has been started before.
#
#   tray.sh PATH/TO/brolga [PATH/TO/brolga-report]   (the report tool beside brolga when not given)
#
# Exits 77 (CTest's skip code) when a tool is missing; scripts/install-deps installs them all.
# E2E_KEEP=1 keeps the work folder (home, logs, and on failure a picture of the screen).
# TRAY_PANEL=top puts the panel along the top instead (for trying by hand; the 40 px check then looks below).
set -uo pipefail

brolga=${1:?usage: tray.sh PATH/TO/brolga [PATH/TO/brolga-report]}
report_tool=${2:-$(dirname "$brolga")/brolga-report}
panel=${TRAY_PANEL:-bottom}
skip=77

missing=()
for tool in Xvfb xdotool xclip xprop xwininfo xmessage openbox tint2; do
    command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
done
if ((${#missing[@]})); then
    echo "SKIP: ${missing[*]} not installed (scripts/install-deps installs them); the tray run needs a window manager and a panel"
    exit "$skip"
fi
[[ -x $brolga ]] || { echo "FAIL: $brolga is not an executable"; exit 1; }
[[ -x $report_tool ]] || { echo "FAIL: $report_tool is not an executable"; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/brolga-tray.XXXXXX")
window=""    # the calculator window of the running Brolga
icon=""      # its tray icon
source "$(dirname "$0")/lib.sh"
on_fail() { [[ -n ${E2E_KEEP:-} ]] && command -v import >/dev/null && import -window root "$work/fail.png" 2>/dev/null; }
private_home
start_xvfb

"${orphan_guard[@]}" openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; }
wait_for 10 wm_ready || fail "openbox did not start"

cat >"$work/tint2rc" <<EOF
rounded = 0
border_width = 0
background_color = #1d2a3a 100
border_color = #000000 0
panel_items = TS
panel_monitor = all
panel_position = $panel center horizontal
panel_size = 100% 32
panel_margin = 0 0
panel_padding = 4 2 4
panel_background_id = 1
panel_layer = top
strut_policy = follow_size
autohide = 0
taskbar_mode = single_desktop
task_icon = 0
task_maximum_size = 160 28
task_font_color = #ffffff 90
systray_padding = 4 2 4
systray_background_id = 0
systray_icon_size = 22
systray_monitor = 1
EOF
"${orphan_guard[@]}" tint2 -c "$work/tint2rc" >"$work/tint2.log" 2>&1 &
pids+=($!)
wait_for 10 grep -q 'systray started' "$work/tint2.log" || { cat "$work/tint2.log"; fail "tint2's tray did not start"; }

# ---- Looking at windows ----

# geometry WINDOW: "x y width height map-state" of its content area, in screen coordinates.
geometry() {
    xwininfo -id "$1" 2>/dev/null | awk '
        /Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
        /^ *Width:/ {w = $NF} /^ *Height:/ {h = $NF} /Map State/ {m = $NF}
        END {print x, y, w, h, m}'
}
# Our windows by size: the calculator window is 470 × 700, the tray icon a small square.
find_window() {
    local w
    for w in $(xdotool search --all --pid "$app_pid" --name '^Brolga$' 2>/dev/null); do
        read -r _ _ width height _ < <(geometry "$w")
        [[ $width == 470 && $height == 700 ]] && { echo "$w"; return 0; }
    done
    return 1
}
find_icon() {
    local w
    for w in $(xdotool search --pid "$app_pid" 2>/dev/null); do
        read -r _ _ width height state < <(geometry "$w")
        [[ $state == IsViewable && -n $width ]] && ((width <= 64 && height <= 64)) && { echo "$w"; return 0; }
    done
    return 1
}
shown() { [[ -n $window && $(geometry "$window" | cut -d' ' -f5) == IsViewable ]]; }
hidden() { ! shown; }
corner() { geometry "$window" | cut -d' ' -f1,2; }

last_click=0
click_icon() { # click_icon [BUTTON]
    # Two clicks within the double-click time are a double click, which is not a second toggle.
    local now
    now=$(date +%s%N)
    (((now - last_click) / 1000000 < 600)) && sleep 0.6
    read -r x y w h _ < <(geometry "$icon")
    xdotool mousemove $((x + w / 2)) $((y + h / 2)) click "${1:-1}"
    last_click=$(date +%s%N)
}

clipboard() { timeout 2 xclip -selection clipboard -o -t UTF8_STRING 2>/dev/null; }
figures_copied() { clipboard | grep -q "^Loan amount"; }
copied_amount() { # the loan amount in the figures Ctrl+Shift+C copies
    # The xclip that empties the clipboard stays to serve it until Brolga copies: kept off our output, which
    # the caller's $(…) reads to the end.
    xclip -selection clipboard </dev/null >/dev/null 2>&1
    xdotool key --clearmodifiers ctrl+shift+c
    wait_for 5 figures_copied || fail "Ctrl+Shift+C put no figures on the clipboard"
    clipboard | sed -n 's/^Loan amount \.* \$//p' | tr -d ','
}

# ---- Running Brolga ----

launch() { # launch [again]: a start after the first opens the window by itself, with the keyboard in it
    "${orphan_guard[@]}" "$brolga" >>"$work/brolga.log" 2>&1 &
    app_pid=$!
    wait_for 20 find_icon >/dev/null || fail "no tray icon within 20 seconds"
    icon=$(find_icon)
    # The window has no X window of its own until it is first shown.
    window=$(find_window)
    [[ ${1:-} == again ]] || return 0
    up() { window=$(find_window) && shown; }
    wait_for 5 up || fail "a start from the menu after the first showed no window"
    active() { [[ $(xdotool getactivewindow 2>/dev/null) == "$window" ]]; }
    wait_for 3 active || fail "the window a start showed is not the active one"
}

show_window() { # a left click on the icon, and the window is up with the keyboard
    [[ -n $window ]] && shown && return 0
    click_icon
    up() { window=$(find_window) && shown; }
    wait_for 5 up || fail "a click on the tray icon did not show the window"
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    local active
    active() { [[ $(xdotool getactivewindow 2>/dev/null) == "$window" ]]; }
    wait_for 3 active || fail "the shown window is not the active one"
}

type_amount() { # typed straight away: the focus must already be in the loan amount
    xdotool key --clearmodifiers ctrl+a
    xdotool type --delay 20 "$1"
    xdotool key Tab
}

# end_with HOW: ends Brolga (with its window shown) and checks it is gone within 2 s with status 0.
end_with() {
    shown || fail "the window should be shown before quitting"
    case $1 in
    sigterm) kill -TERM "$app_pid" ;;
    ctrl+q) xdotool key --clearmodifiers ctrl+q ;;
    menu)
        click_icon 3
        menu_open() {
            local w
            for w in $(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null); do
                [[ $w != "$window" && $w != "$icon" ]] && return 0
            done
            return 1
        }
        wait_for 5 menu_open || fail "a right click on the tray icon opened no menu"
        sleep 0.2
        # "Quit Brolga" is the menu's last item: Up from no selection goes there.
        xdotool key Up Return
        ;;
    esac
    local start=$SECONDS
    wait_for 2 ended "$app_pid" || fail "Brolga still running 2 seconds after $1 (window shown)"
    wait "$app_pid"
    local status=$?
    app_pid=""
    ((status == 0)) || fail "Brolga ended with status $status after $1"
    echo "ok: $1 ended Brolga with status 0 within $((SECONDS - start + 1)) s"
}

# ---- First start: placed by the icon, shown and hidden by clicks, focus in the first field ----
launch
# The first-run pointer opens the window when it goes (6.5 s); a click on the icon is quicker.
show_window
read -r ix iy iw ih _ < <(geometry "$icon")
read -r wx wy ww wh _ < <(geometry "$window")
if [[ $panel == bottom ]]; then
    gap=$((iy - (wy + wh)))
    ((gap >= 0 && gap <= 40)) || fail "the window (y $wy..$((wy + wh))) is not within 40 px above the icon (y $iy)"
else
    gap=$((wy - (iy + ih)))
    ((gap >= 0 && gap <= 40)) || fail "the window (y $wy) is not within 40 px below the icon (y $iy..$((iy + ih)))"
fi
((wx <= ix + iw && wx + ww >= ix)) || fail "the window (x $wx..$((wx + ww))) is not over the icon (x $ix)"
echo "ok: first start opens the window ${gap} px from the icon on the $panel panel"

click_icon
wait_for 5 hidden || fail "a second click on the tray icon did not hide the window"
show_window
echo "ok: left clicks on the tray icon hide and show the window"

actions=$(xprop -id "$window" _NET_WM_ALLOWED_ACTIONS)
grep -q '_NET_WM_ACTION_MAXIMIZE\|_NET_WM_ACTION_RESIZE' <<<"$actions" &&
    fail "the window can be maximised or resized: $actions"
xprop -id "$window" _NET_WM_STATE | grep -q _NET_WM_STATE_SKIP_TASKBAR ||
    fail "in tray mode the window sits in the task bar"
echo "ok: fixed size, no maximise, out of the task bar"

amount=734500
type_amount "$amount"
[[ $(copied_amount) == "$amount" ]] || fail "typing after the first show did not reach the loan amount"
echo "ok: the focus starts in the loan amount"

# The global shortcut, pressed with the keyboard in Brolga, then with the window hidden.
xdotool key --clearmodifiers ctrl+alt+b
wait_for 5 hidden || fail "Ctrl+Alt+B did not hide the window that had the keyboard"
xdotool key --clearmodifiers ctrl+alt+b
wait_for 5 shown || fail "Ctrl+Alt+B did not bring the hidden window back"
active() { [[ $(xdotool getactivewindow 2>/dev/null) == "$window" ]]; }
wait_for 3 active || fail "the window Ctrl+Alt+B brought back does not have the keyboard"
echo "ok: Ctrl+Alt+B hides and shows the window from the keyboard"
# Pressed twice in a row, the window goes and comes straight back, and Brolga knows it has the keyboard.
xdotool key --clearmodifiers ctrl+alt+b ctrl+alt+b
wait_for 5 shown && wait_for 3 active || fail "Ctrl+Alt+B pressed twice did not bring the window straight back"
xdotool key --clearmodifiers ctrl+alt+b
wait_for 5 hidden || fail "after Ctrl+Alt+B pressed twice, a third press did not hide the window that had the keyboard"
xdotool key --clearmodifiers ctrl+alt+b
wait_for 5 shown && wait_for 3 active || fail "Ctrl+Alt+B did not bring the hidden window back with the keyboard"
echo "ok: Ctrl+Alt+B pressed twice in a row hides and brings back the window, which keeps the keyboard"

# Saving a client asks for a name in a dialog, again after an empty one; when it closes the keyboard is back in
# the calculator window (just brought up by the shortcut), in the field that had it.
xdotool key --clearmodifiers ctrl+shift+s
prompt=$(timeout 10 xdotool search --all --sync --onlyvisible --pid "$app_pid" --name '^Save as New Client$' 2>/dev/null | head -n 1)
[[ -n $prompt ]] || fail "Ctrl+Shift+S showed no \"Save as New Client\" prompt"
sleep 0.3
xdotool key Return
sleep 0.3
xdotool type --delay 30 "Aroha Williams"
xdotool key Return
amount=734600
type_amount "$amount"
[[ $(copied_amount) == "$amount" ]] || fail "after the client's name was given the keyboard did not come back to Brolga"
clipboard | grep -qx "Prepared for Aroha Williams" || fail "the copied figures do not name the saved client"
echo "ok: a client saved from the keyboard, and the keyboard is back in the window"

# The client's report: Return takes the tabs ticked, the save panel proposes its name on the Desktop, and Return
# saves it there.
xdotool key --clearmodifiers ctrl+shift+e
tabs_up() { xdotool search --all --onlyvisible --pid "$app_pid" --name '^Client report$' >/dev/null 2>&1; }
wait_for 10 tabs_up || fail "Ctrl+Shift+E did not ask which tabs go in the report"
sleep 0.3
xdotool key Return
panel_up() { xdotool search --all --onlyvisible --pid "$app_pid" --name '^Export Report$' >/dev/null 2>&1; }
wait_for 10 panel_up || fail "Ctrl+Shift+E showed no save panel"
sleep 0.3
xdotool key Return
report() { compgen -G "$HOME/Desktop/Brolga-Report-Aroha Williams-*.pdf" >/dev/null; }
wait_for 10 report || fail "Return in the save panel wrote no Brolga-Report-Aroha Williams-*.pdf to the Desktop"
pdf=$(compgen -G "$HOME/Desktop/Brolga-Report-Aroha Williams-*.pdf" | head -n 1)
[[ $(head -c 5 "$pdf") == %PDF- ]] || fail "$pdf is not a PDF"
[[ $(copied_amount) == "$amount" ]] || fail "after the report was saved the keyboard did not come back to Brolga"
echo "ok: Ctrl+Shift+E saved $(basename "$pdf") ($(wc -c <"$pdf") bytes)"

end_with sigterm

# ---- Quit three ways, ten restarts: the amount comes back, the corner stays put ----
launch again
[[ $(copied_amount) == "$amount" ]] || fail "after SIGTERM the loan amount $amount was not restored"
# Somewhere of the user's own, away from where it was placed.
xdotool windowmove --sync "$window" 180 140 2>/dev/null
sleep 0.3
home_corner=$(corner)
echo "ok: SIGTERM saved $amount; the window moved to $home_corner"

# Always on top from the tray menu: still on every desktop, and following a switch of desktop. Hidden and shown
# again afterwards (Qt makes a new X window then), it keeps its hints and its place.
on_top() { xprop -id "$window" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE; }
toggled() { if [[ $was_on_top == yes ]]; then ! on_top; else on_top; fi; }
toggle_pin() {
    was_on_top=no
    on_top && was_on_top=yes
    click_icon 3
    sleep 0.5
    xdotool key Down Return # "Always on top" is the first item
    wait_for 3 toggled || fail "Always on top in the tray menu did not change the window's layer"
}
# Openbox keeps no sticky state (it is not in its _NET_SUPPORTED): there the desktop 0xFFFFFFFF says it.
sticky=""
xprop -root _NET_SUPPORTED | grep -q _NET_WM_STATE_STICKY && sticky=_NET_WM_STATE_STICKY
in_character() { # out of the task bar and the pager, on every desktop
    local state
    state=$(xprop -id "$window" _NET_WM_STATE)
    [[ $state == *_NET_WM_STATE_SKIP_TASKBAR* && $state == *_NET_WM_STATE_SKIP_PAGER* && $state == *$sticky* &&
        $(xprop -id "$window" _NET_WM_DESKTOP) == *4294967295* ]]
}
for _ in 1 2; do # off and on again (or the other way round)
    toggle_pin
    desktop=$(xprop -id "$window" _NET_WM_DESKTOP)
    [[ $desktop == *4294967295* ]] || fail "after Always on top the window is no longer on every desktop: $desktop"
    shown || fail "toggling Always on top hid the window"
    click_icon
    wait_for 5 hidden || fail "a click on the tray icon did not hide the window after Always on top"
    show_window
    wait_for 3 in_character || fail "hidden and shown after Always on top, the window lost its hints:" \
        "$(xprop -id "$window" _NET_WM_STATE _NET_WM_DESKTOP)"
    [[ $(corner) == "$home_corner" ]] || fail "hidden and shown after Always on top, the window moved to $(corner)"
done

# The pin off and another program's window over Brolga: a click on the icon raises Brolga, the next hides it.
toggle_pin
on_top && fail "the pin did not come off"
"${orphan_guard[@]}" xmessage -title Cover -geometry 900x950+0+0 "over Brolga" >/dev/null 2>&1 &
cover=$!
pids+=("$cover")
cover_window=""
find_cover() { cover_window=$(xdotool search --onlyvisible --name '^Cover$' 2>/dev/null | head -n 1) && [[ -n $cover_window ]]; }
wait_for 5 find_cover || fail "xmessage showed no window"
over_cover() { # Brolga stacked above the xmessage window by the window manager
    xprop -root _NET_CLIENT_LIST_STACKING | tr ', ' '\n\n' | grep '^0x' |
        awk -v a="$(printf '0x%x' "$window")" -v b="$(printf '0x%x' "$cover_window")" \
            '$0 == a {ia = NR} $0 == b {ib = NR} END {exit !(ia && ib && ia > ib)}'
}
covered() { shown && ! over_cover; }
wait_for 5 covered || fail "the xmessage window did not come over Brolga"
click_icon
wait_for 3 over_cover || fail "a click on the icon did not raise the covered window"
click_icon
wait_for 5 hidden || fail "a click on the icon did not hide the raised, uncovered window"
stop "$cover"
show_window
toggle_pin
echo "ok: a click raises the covered window and hides the uncovered one"

xdotool set_desktop 2
sleep 0.3
shown || fail "switching desktops left the window behind"
xdotool set_desktop 0
sleep 0.2
[[ $(corner) == "$home_corner" ]] || fail "Always on top moved the window from $home_corner to $(corner)"
echo "ok: after Always on top the window is on every desktop ($desktop) and stays put"

amount=612300
type_amount "$amount"
end_with ctrl+q

cycles=1
ways=(menu ctrl+q sigterm)
while ((cycles <= 10)); do
    launch again
    [[ $(corner) == "$home_corner" ]] || fail "restart $cycles put the window at $(corner), not $home_corner"
    if ((cycles <= 3)); then
        [[ $(copied_amount) == "$amount" ]] || fail "restart $cycles did not restore the loan amount $amount"
        echo "ok: restart $cycles restored $amount"
    fi
    if ((cycles == 1)); then
        # A second launch: it hands over and ends; one Brolga, its window brought up.
        click_icon
        wait_for 5 hidden || fail "a click on the tray icon did not hide the window"
        timeout 10 "$brolga" >>"$work/second.log" 2>&1
        status=$?
        ((status == 0)) || fail "the second launch ended with status $status: $(tail -n 5 "$work/second.log")"
        running=$(pgrep -c -P $$ -x "$(basename "$brolga")" 2>/dev/null)
        wait_for 5 shown || fail "the second launch did not bring the first one's window up"
        ((running == 1)) || fail "$running Brolga processes after a second launch"
        echo "ok: a second launch ended with status 0, one Brolga left, its window shown"
        xdotool windowfocus --sync "$window" 2>/dev/null || true
    fi
    if ((cycles <= 3)); then
        amount=$((amount + 1111))
        type_amount "$amount"
        end_with "${ways[cycles - 1]}"
    else
        end_with ctrl+q
    fi
    ((cycles++))
done
echo "ok: ten restarts kept the window's corner at $home_corner"

# ---- A client deleted from the keyboard comes back from the Clients menu after a restart ----
listed() { "$report_tool" --list 2>>"$work/report.log" | grep -q "^Aroha Williams"$'\t'; }
listed || fail "brolga-report --list does not list the saved client: $("$report_tool" --list 2>&1)"
launch again
xdotool key --clearmodifiers ctrl+o
clients_up() { xdotool search --all --onlyvisible --pid "$app_pid" --name '^All Clients$' >/dev/null 2>&1; }
wait_for 10 clients_up || fail "Ctrl+O showed no All Clients window"
sleep 0.3
# Down moves from the search field into the list; Backspace there, pressed to correct a search, deletes nothing.
xdotool key Down BackSpace
sleep 0.5
listed || fail "Backspace in the client list deleted the client"
xdotool key Delete
wait_for 5 eval '! listed' || fail "Delete in the client list did not delete the client"
xdotool key Escape
wait_for 5 eval '! clients_up' || fail "Escape did not close All Clients"
end_with ctrl+q
launch again
click_icon 3
popups() { # our visible windows other than the calculator window and the tray icon
    local w n=0
    for w in $(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null); do
        [[ $w != "$window" && $w != "$icon" ]] && ((n++))
    done
    echo "$n"
}
menu_up() { (($(popups) >= 1)); }
wait_for 5 menu_up || fail "a right click on the tray icon opened no menu"
sleep 0.2
# The tray menu's only submenu is Clients: walk up from the bottom until Right opens one.
for _ in $(seq 12); do
    xdotool key Up Right
    sleep 0.2
    (($(popups) >= 2)) && break
done
(($(popups) >= 2)) || fail "no Clients submenu found in the tray menu"
# In Clients, "Recently deleted" sits just above the last item, "All clients…": Up wraps to the bottom.
xdotool key Up Up Right
sleep 0.3
xdotool key Return
wait_for 5 listed || fail "Clients > Recently deleted did not put the client back in the book"
echo "ok: a client deleted from the keyboard came back from the Clients menu after a restart, and is listed again"
end_with ctrl+q

# ---- Started at login, as the autostart entry does it: the tray icon and no window of any kind ----
others() { # our visible windows other than the tray icon
    local w
    for w in $(xdotool search --onlyvisible --pid "$app_pid" 2>/dev/null); do [[ $w != "$icon" ]] && echo "$w"; done
}
"${orphan_guard[@]}" "$brolga" --autostart >>"$work/brolga.log" 2>&1 &
app_pid=$!
wait_for 20 find_icon >/dev/null || fail "started at login: no tray icon within 20 seconds"
icon=$(find_icon)
sleep 1.5 # well past the half second after which a first-run pointer would show
[[ -z $(others) ]] || fail "started at login, Brolga showed windows: $(others)"
timeout 10 "$brolga" --autostart >>"$work/second.log" 2>&1 || fail "a second start at login ended with status $?"
sleep 0.5
[[ -z $(others) ]] || fail "a second start at login brought up windows: $(others)"
kill -TERM "$app_pid"
wait_for 2 ended "$app_pid" || fail "Brolga started at login still running 2 seconds after SIGTERM"
wait "$app_pid" || fail "Brolga started at login ended with status $? after SIGTERM"
app_pid=""
echo "ok: started at login only the tray icon appears, and a second start at login brings nothing up"

echo "PASS: tray mode end to end in ${SECONDS} s"
