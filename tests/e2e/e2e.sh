#!/usr/bin/env bash
# Brolga end to end in a real X server: no tray, so an ordinary window. Types a loan amount, copies the
# figures as text (Ctrl+Shift+C), exports the snapshot to the Desktop (Ctrl+E), saves the figures as a client
# (Ctrl+Shift+S), has a start from another session refused while brolga-report still reads the record, quits
# (Ctrl+Q), starts again and finds the amount restored and the client still open.
#
#   e2e.sh PATH/TO/brolga
#
# Exits 77 (CTest's skip code) when Xvfb, xdotool or xclip is missing; scripts/install-deps installs them.
# E2E_KEEP=1 keeps the work folder (home, logs, and on failure a picture of the window, given ImageMagick).
set -uo pipefail

brolga=${1:?usage: e2e.sh PATH/TO/brolga}
skip=77

missing=()
for tool in Xvfb xdotool xclip; do
    command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
done
if ((${#missing[@]})); then
    echo "SKIP: ${missing[*]} not installed (scripts/install-deps installs them); the end-to-end run needs a real X server"
    exit "$skip"
fi
[[ -x $brolga ]] || { echo "FAIL: $brolga is not an executable"; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/brolga-e2e.XXXXXX")
window=""
source "$(dirname "$0")/lib.sh"
on_fail() { [[ -n ${E2E_KEEP:-} && -n $window ]] && import -window "$window" "$work/fail.png" 2>/dev/null; }
private_home
start_xvfb

launch() {
    "${orphan_guard[@]}" "$brolga" >>"$work/brolga.log" 2>&1 &
    app_pid=$!
    window=$(timeout 20 xdotool search --all --sync --onlyvisible --pid "$app_pid" --name '^Brolga$' 2>/dev/null | head -n 1)
    [[ -n $window ]] || fail "no Brolga window within 20 seconds"
    # No window manager here: put the pointer over the window and give it the keyboard.
    xdotool mousemove --window "$window" 200 20
    xdotool windowfocus --sync "$window" 2>/dev/null || true
    sleep 0.5
}

clipboard() { timeout 2 xclip -selection clipboard -o -t UTF8_STRING 2>/dev/null; }
figures_copied() { clipboard | grep -q "Loan amount"; }

# Ctrl+Shift+C, then the clipboard's text.
copy_figures() {
    xdotool key --clearmodifiers ctrl+shift+c
    wait_for 5 figures_copied || fail "Ctrl+Shift+C put no figures on the clipboard"
    clipboard
}

quit_app() {
    xdotool key --clearmodifiers ctrl+q
    wait_for 10 ended "$app_pid" || fail "Brolga still running 10 seconds after Ctrl+Q"
    wait "$app_pid"
    local status=$?
    app_pid=""
    ((status == 0)) || fail "Brolga ended with status $status after Ctrl+Q"
}

amount=734500
formatted='$734,500'
# The summary's row: "Loan amount ....... $734,500".
shows_amount() { grep -qx "Loan amount \.* \$${formatted#\$}" <<<"$1"; }

# ---- First run: type, copy, export, quit ----
launch
# A shown window gives the keyboard to the active tab's first field, Loan amount: typing goes there with no
# click at a place in the window. The clipboard check below says if it went anywhere else.
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 30 "$amount"
xdotool key Tab

text=$(copy_figures)
shows_amount "$text" || fail "the copied figures lack the loan amount $formatted:
$text"
echo "ok: typed $amount, Ctrl+Shift+C copied \"$(grep '^Loan amount' <<<"$text")\""

xdotool key --clearmodifiers ctrl+e
card() { compgen -G "$HOME/Desktop/Brolga-Repayment-*.png" >/dev/null; }
wait_for 10 card || fail "Ctrl+E wrote no Brolga-Repayment-*.png to the Desktop"
png=$(compgen -G "$HOME/Desktop/Brolga-Repayment-*.png" | head -n 1)
[[ $(head -c 8 "$png" | od -An -tx1 | tr -d ' \n') == 89504e470d0a1a0a ]] || fail "$png is not a PNG"
echo "ok: Ctrl+E saved $(basename "$png") ($(wc -c <"$png") bytes)"
# A second export within the minute is saved beside the first, never over it.
xdotool key --clearmodifiers ctrl+e
two_cards() { [[ $(compgen -G "$HOME/Desktop/Brolga-Repayment-*.png" | wc -l) == 2 ]]; }
wait_for 10 two_cards || fail "a second Ctrl+E left $(compgen -G "$HOME/Desktop/Brolga-Repayment-*.png" | wc -l) cards"
echo "ok: a second Ctrl+E kept both: $(cd "$HOME/Desktop" && ls Brolga-Repayment-*.png | tr '\n' ' ')"

# Save as a new client: the name prompt is its own window, and the copied figures then say whom they are for.
client="Kim Ng"
xdotool key --clearmodifiers ctrl+shift+s
prompt=$(timeout 10 xdotool search --all --sync --onlyvisible --pid "$app_pid" --name '^Save as New Client$' 2>/dev/null | head -n 1)
[[ -n $prompt ]] || fail "Ctrl+Shift+S showed no \"Save as New Client\" prompt"
# No window manager gives the prompt the keyboard here: a click in its field does.
xdotool mousemove --window "$prompt" 90 42 click 1
sleep 0.3
xdotool type --delay 30 "$client"
xdotool key Return
prepared() { clipboard | grep -qx "Prepared for $client"; }
xdotool mousemove --window "$window" 200 20
xdotool windowfocus --sync "$window" 2>/dev/null || true
xdotool key --clearmodifiers ctrl+shift+c
wait_for 5 prepared || fail "after saving the client the copied figures lack \"Prepared for $client\":
$(clipboard)"
[[ -s $HOME/.local/share/Brolga/Clients.sqlite ]] || fail "no client book was written"
echo "ok: Ctrl+Shift+S saved \"$client\"; the copied figures say \"Prepared for $client\""

# Another session of the same user (its own runtime folder, the same home): it says so and ends, writing
# nothing, and the running Brolga's saves stay as they were.
config=$HOME/.config/Saltbush
mkdir -m 700 "$work/run2"
sleep 1 # the running one's last debounced save lands first
before=$(cd "$config" && ls -la --time-style=full-iso && md5sum Brolga.json)
XDG_RUNTIME_DIR=$work/run2 timeout 10 "$brolga" >"$work/second.log" 2>&1
status=$?
((status == 1)) || fail "a start from another session ended with status $status: $(cat "$work/second.log")"
said="Brolga is already open elsewhere for this user (in another session); quit it there first."
grep -qxF "$said" "$work/second.log" || fail "a start from another session said: $(cat "$work/second.log")"
[[ $(cd "$config" && ls -la --time-style=full-iso && md5sum Brolga.json) == "$before" ]] ||
    fail "a start from another session changed the configuration folder"
echo "ok: a start from another session said \"$said\" and wrote nothing"
# A reader needs no lock: brolga-report reads the running one's saved amount.
report=$(dirname "$brolga")/brolga-report
if [[ -x $report ]]; then
    shows_amount "$("$report" --text 2>&1)" || fail "brolga-report beside the running Brolga lacks $formatted"
    echo "ok: brolga-report reads the saved $formatted while Brolga runs"
fi

quit_app
echo "ok: Ctrl+Q ended Brolga"

# ---- Second run: the amount is back ----
launch
text=$(copy_figures)
shows_amount "$text" || fail "after a restart the loan amount is not $formatted:
$text"
echo "ok: after a restart the copied figures read \"$(grep '^Loan amount' <<<"$text")\""
grep -qx "Prepared for $client" <<<"$text" || fail "after a restart \"$client\" is no longer the open client:
$text"
echo "ok: after a restart \"$client\" is still open"

# Figures as people type them, and the way back: "1.2m" is 1,200,000; Reset inputs from the header's menu
# (Up twice from the top: Quit, then Reset inputs); Ctrl+Z takes back the reset, then the typing.
copied_amount() { clipboard | grep -qx "Loan amount \.* \$$1"; }
amount_is() {
    xdotool key --clearmodifiers ctrl+shift+c
    wait_for 5 copied_amount "$1"
}
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 30 "1.2m"
xdotool key Tab
amount_is '1,200,000' || fail "\"1.2m\" did not read as \$1,200,000: $(clipboard | grep '^Loan amount')"
xdotool mousemove --window "$window" 200 20 click 3
sleep 0.5
xdotool key Up Up Return
sleep 0.3
amount_is '650,000' || fail "Reset inputs from the header's menu left $(clipboard | grep '^Loan amount')"
xdotool key --clearmodifiers ctrl+z
amount_is '1,200,000' || fail "Ctrl+Z after Reset inputs gave $(clipboard | grep '^Loan amount')"
xdotool key --clearmodifiers ctrl+z
amount_is "${formatted#\$}" || fail "a second Ctrl+Z gave $(clipboard | grep '^Loan amount')"
xdotool key --clearmodifiers ctrl+shift+z
amount_is '1,200,000' || fail "Ctrl+Shift+Z gave $(clipboard | grep '^Loan amount')"
echo "ok: typed 1.2m, reset from the menu, Ctrl+Z twice and Ctrl+Shift+Z gave the figures back in turn"
quit_app

echo "PASS: end to end in ${SECONDS} s"
