#!/usr/bin/env bash
# Runs a command with a system keychain of its own: a D-Bus session bus and GNOME Keyring's Secret Service with
# an unlocked default collection, in a throw-away home, so a test never meets the developer's own keyring.
# With --hanging the Secret Service never answers instead (it is started and never comes up).
# BROLGA_TEST_KEYRING tells the tests which: "unlocked" or "hanging". Exits 77 (skipped) where the programs are
# not installed.
#   keyring-session.sh [--hanging] COMMAND [ARGUMENT…]
set -euo pipefail
keyring=unlocked
[[ $1 == --hanging ]] && { keyring=hanging; shift; }
for program in dbus-run-session gnome-keyring-daemon; do
  command -v $program >/dev/null || { echo "keyring-session: $program is not installed; run scripts/install-deps" >&2; exit 77; }
done
root=$(mktemp -d /tmp/brolga-keyring.XXXXXX)
trap '[[ -f $root/hung ]] && kill "$(cat "$root/hung")" 2>/dev/null; rm -rf "$root"' EXIT
export HOME=$root XDG_DATA_HOME=$root/data XDG_CONFIG_HOME=$root/config XDG_CACHE_HOME=$root/cache \
  XDG_RUNTIME_DIR=$root/run BROLGA_TEST_KEYRING=$keyring
mkdir -m 700 "$XDG_RUNTIME_DIR"
if [[ $keyring == hanging ]]; then
  # The session's own services come before the system's: this one is started and never takes its name.
  mkdir -p "$XDG_DATA_HOME/dbus-1/services"
  printf '[D-BUS Service]\nName=org.freedesktop.secrets\nExec=/bin/sh -c "echo $$ >%s/hung; exec sleep 120"\n' \
    "$root" >"$XDG_DATA_HOME/dbus-1/services/org.freedesktop.secrets.service"
  dbus-run-session -- "$@"
else
  # The login password unlocks (and first makes) the "login" collection, the default one; an empty password
  # would make none, and every write would then ask for one through a prompt no one sees.
  # shellcheck disable=SC2016
  dbus-run-session -- sh -c 'printf brolga | gnome-keyring-daemon --unlock --components=secrets >/dev/null && "$@"' \
    keyring-session "$@"
fi
