#!/bin/sh
# Runs a command with a keyring of its own, unlocked, in the D-Bus session dbus-run-session started for it;
# its files live in a scratch home, so the user's own keyring is never touched.
#   usage: dbus-run-session -- sh with_keyring.sh COMMAND...
command -v gnome-keyring-daemon >/dev/null 2>&1 || { echo "gnome-keyring-daemon is not installed"; exit 77; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export HOME="$scratch" XDG_DATA_HOME="$scratch/data" XDG_CACHE_HOME="$scratch/cache"
unset XDG_RUNTIME_DIR
printf 'keyring-test' | gnome-keyring-daemon --unlock --components=secrets >/dev/null 2>&1
QUILLON_KEYRING_TEST=1 "$@"
