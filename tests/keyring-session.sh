#!/usr/bin/env bash
# Runs a command with a system keychain of its own: a D-Bus session bus and GNOME Keyring's Secret Service with
# an unlocked default collection, in a throw-away home, so a test never meets the developer's own keyring.
# Sets BROLGA_TEST_KEYRING for the tests to expect it. Exits 77 (skipped) where the programs are not installed.
#   keyring-session.sh COMMAND [ARGUMENT…]
set -euo pipefail
for program in dbus-run-session gnome-keyring-daemon; do
  command -v $program >/dev/null || { echo "keyring-session: $program is not installed; run scripts/install-deps" >&2; exit 77; }
done
root=$(mktemp -d /tmp/brolga-keyring.XXXXXX)
trap 'rm -rf "$root"' EXIT
export HOME=$root XDG_DATA_HOME=$root/data XDG_CONFIG_HOME=$root/config XDG_CACHE_HOME=$root/cache \
  XDG_RUNTIME_DIR=$root/run BROLGA_TEST_KEYRING=1
mkdir -m 700 "$XDG_RUNTIME_DIR"
# The login password unlocks (and first makes) the "login" collection, the default one; an empty password would
# make none, and every write would then ask for one through a prompt no one sees.
# shellcheck disable=SC2016
dbus-run-session -- sh -c 'printf brolga | gnome-keyring-daemon --unlock --components=secrets >/dev/null && "$@"' \
  keyring-session "$@"
