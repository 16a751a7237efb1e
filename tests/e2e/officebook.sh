#!/usr/bin/env bash
# Brolga against a real office server, as a broker sees it: Xvfb, xdotool, the test server's book of its own.
#  1. a client saved in the window lands on the server, listed for alice (who saved it) and not for bob;
#  2. changed on the server by someone else, then saved again: "Changed elsewhere" asks, and Enter keeps both,
#     theirs as it is and ours as "<name> (copy)";
#  3. All clients moves alice's clients to this computer's book and back again, from the keyboard;
#  4. after Ctrl+Q the password is in no file under the home (nor the runtime folder).
#
#   officebook.sh PATH/TO/brolga PATH/TO/brolga-report SERVER-STATE   (the folder tests/pgserver.sh started)
#
# Exits 77 (CTest's skip code) when Xvfb or xdotool is missing. E2E_KEEP=1 keeps the work folder.
set -uo pipefail

brolga=${1:?usage: officebook.sh PATH/TO/brolga PATH/TO/brolga-report SERVER-STATE}
report_tool=${2:?}
state=${3:?}
for tool in Xvfb xdotool; do
    command -v "$tool" >/dev/null 2>&1 || { echo "SKIP: $tool not installed (scripts/install-deps installs it)"; exit 77; }
done
# The server's own psql, as tests/pgserver.sh uses (Debian's wrapper in /usr/bin is Perl and talks of locales).
psql=$(ls -d /usr/lib/postgresql/*/bin/psql 2>/dev/null | sort -V | tail -n 1)
[[ -n $psql ]] || psql=psql
[[ -s $state/url ]] || { echo "FAIL: no server's address in $state/url (tests/pgserver.sh start)"; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/brolga-office.XXXXXX")
on_fail() { [[ -n ${E2E_KEEP:-} ]] && import -window root "$work/fail.png" 2>/dev/null; }
source "$(dirname "$0")/lib.sh"
private_home
start_xvfb

# A book of our own beside the other tests' on the same server, made afresh each run.
password=brolga-test
admin=$(cat "$state/url")
port=$(sed -E 's|.*:([0-9]+)/.*|\1|' <<<"$admin")
db=e2e_officebook
as_admin() { "$psql" -X -q -v ON_ERROR_STOP=1 "${admin%/*}/${1:-postgres}" "${@:2}"; }
as_admin "" -c "SET client_min_messages = warning" -c "DROP DATABASE IF EXISTS $db" -c "CREATE DATABASE $db" ||
    fail "could not make the database $db"
as_admin "$db" -f "$(dirname "$0")/../../resources/office-book.sql" >/dev/null || fail "could not set up the book in $db"

export PGPASSWORD=$password # no keychain here: Brolga and brolga-report take it from the environment
mkdir -p "$HOME/.config/Saltbush"
cat >"$HOME/.config/Saltbush/Brolga.json" <<EOF
{"Brolga.clientBookOnServer": true,
 "Brolga.officeServer": {"host": "127.0.0.1", "port": $port, "database": "$db", "user": "alice"}}
EOF
tab=$'\t' # --list: the name, a tab, the last change
listed() { "$report_tool" --clients "postgresql://$1@127.0.0.1:$port/$db" --list 2>&1; }
local_book=$HOME/.local/share/Brolga/Clients.sqlite
names() { cut -f1 | paste -sd, -; } # a listing on one line

"${orphan_guard[@]}" "$brolga" >>"$work/brolga.log" 2>&1 &
app_pid=$!
window=$(timeout 20 xdotool search --all --sync --onlyvisible --pid "$app_pid" --name '^Brolga$' 2>/dev/null | head -n 1)
[[ -n $window ]] || fail "no Brolga window within 20 seconds"
has_keyboard() { [[ $(xdotool getwindowfocus 2>/dev/null) == "$1" ]]; }
focus() { # no window manager: the pointer over the window, and the keyboard to it
    xdotool mousemove --window "$1" 20 10
    xdotool windowfocus --sync "$1" 2>/dev/null
    wait_for 5 has_keyboard "$1" || fail "the Brolga window did not take the keyboard"
}
shown() { timeout 10 xdotool search --all --sync --onlyvisible --pid "$app_pid" --name "^$1\$" 2>/dev/null | head -n 1; }
focus "$window"

# ---- 1. Saved in the window, on the server, for alice only ----
client="Mia Chen"
xdotool key --clearmodifiers ctrl+a
xdotool type --delay 30 "512000"
xdotool key Tab
xdotool key --clearmodifiers ctrl+shift+s
prompt=$(shown 'Save as New Client')
[[ -n $prompt ]] || fail "step 1: Ctrl+Shift+S showed no \"Save as New Client\" prompt"
xdotool mousemove --window "$prompt" 90 42 click 1 # the prompt's field takes the keyboard
wait_for 5 has_keyboard "$prompt" || fail "step 1: the name prompt did not take the keyboard"
xdotool type --delay 30 "$client"
xdotool key Return
on_server() { listed alice | grep -qF "$1$tab"; }
wait_for 10 on_server "$client" || fail "step 1: \"$client\" is not on the server for alice: $(listed alice | names)"
bob=$(listed bob) || fail "step 1: bob could not list the book: $bob"
[[ $bob != *"$client"* ]] || fail "step 1: bob can read alice's private client: $bob"
echo "ok: step 1, \"$client\" saved in the window is on the server for alice and hidden from bob"

# ---- 2. Two people, one client ----
# The office's administrator changes it, as another broker's Brolga would: a new version.
version=$(as_admin "$db" -At -c "UPDATE clients SET note = 'Rang the office', version = version + 1
                                 WHERE name = '$client' RETURNING version")
[[ $version == 2 ]] || fail "step 2: changing the client on the server as another role gave version \"$version\""
focus "$window"
xdotool key --clearmodifiers shift+Tab ctrl+a # back from Offset balance to Loan amount
xdotool type --delay 30 "498000"
xdotool key Tab
xdotool key --clearmodifiers ctrl+s
question=$(shown 'Changed elsewhere')
[[ -n $question ]] || fail "step 2: Ctrl+S over someone else's change showed no \"Changed elsewhere\" question"
xdotool mousemove --window "$question" 40 20 click 1 # on its heading: the keyboard to the dialog, no answer
wait_for 5 has_keyboard "$question" || fail "step 2: \"Changed elsewhere\" did not take the keyboard"
xdotool key Return
wait_for 10 on_server "$client (copy)" || fail "step 2: Enter saved no \"$client (copy)\": $(listed alice | names)"
note=$(as_admin "$db" -At -c "SELECT note FROM clients WHERE name = '$client' AND deleted IS NULL")
[[ $note == "Rang the office" ]] || fail "step 2: the original lost the other change (its note: \"$note\")"
amount() { "$report_tool" --clients "postgresql://alice@127.0.0.1:$port/$db" --client "$1" --text | grep '^Loan amount'; }
[[ $(amount "$client") == *'$512,000' && $(amount "$client (copy)") == *'$498,000' ]] ||
    fail "step 2: the figures went astray: $(amount "$client"), and in the copy $(amount "$client (copy)")"
echo "ok: step 2, \"Changed elsewhere\" then Enter kept theirs and saved \"$client (copy)\""

# ---- 3. All clients moves the broker's clients to this computer and back ----
in_local() { "$report_tool" --clients "$local_book" --list 2>/dev/null; }
clients_window() { # All clients (Ctrl+O), with the keyboard in its search field
    focus "$window"
    xdotool key --clearmodifiers ctrl+o
    local clients
    clients=$(shown 'All Clients')
    [[ -n $clients ]] || fail "step 3: Ctrl+O showed no All Clients window"
    wait_for 5 has_keyboard "$clients" || fail "step 3: All Clients did not take the keyboard"
}
# From the search field Tab goes to the list, "Shared with the office" (in the office's book only), the move button.
move() {
    clients_window
    xdotool key Tab Tab $1 space Escape # the move is done before the window hears Escape
}
books() { echo "office: $(listed alice | names), here: $(in_local | names)"; }
moved_here() { [[ $(in_local | grep -c "^$client") == 2 && -z $(listed alice | grep "^$client") ]]; }
moved_back() { [[ $(listed alice | grep -c "^$client") == 2 && -z $(in_local | grep "^$client") ]]; }
clients_window
xdotool key Tab Tab space Escape # shares the client listed first, the latest saved: the copy
shared() { listed bob | cut -f1 | grep -qxF "$client (copy)"; }
wait_for 10 shared || fail "step 3: \"Shared with the office\" did not show \"$client (copy)\" to bob: $(listed bob | names)"
echo "ok: step 3, \"Shared with the office\" lets bob read \"$client (copy)\""
move Tab
wait_for 10 moved_here || fail "step 3: \"Move to this computer\" left $(books)"
echo "ok: step 3, \"Move to this computer\" moved both clients off the office book"
move ""
wait_for 10 moved_back || fail "step 3: \"Move to the office book\" left $(books)"
echo "ok: step 3, \"Move to the office book\" brought them back, once each"

# ---- 4. Quit: the password is in no file ----
focus "$window"
xdotool key --clearmodifiers ctrl+q
wait_for 10 ended "$app_pid" || fail "step 4: Brolga still running 10 seconds after Ctrl+Q"
wait "$app_pid" || fail "step 4: Brolga ended with status $? after Ctrl+Q"
app_pid=""
leaks=$(grep -rlF --devices=skip "$password" "$HOME" "$XDG_RUNTIME_DIR")
[[ -z $leaks ]] || fail "step 4: the password is written in $leaks"
echo "ok: step 4, Ctrl+Q ended Brolga and no file under its home holds the password"

as_admin "" -c "DROP DATABASE $db"
echo "PASS: the office book end to end in ${SECONDS} s"
