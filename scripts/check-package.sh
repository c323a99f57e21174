#!/usr/bin/env bash
# Builds the Debian package, checks it with lintian, installs it with apt-get, starts the installed program
# on the display and waits for its window, asks its version, then purges it and finds none of its files
# left. It installs into the system, so it runs as root only (as CI does); elsewhere it says so and passes.
set -euo pipefail
cd "$(dirname "$0")/.."
if ((EUID != 0)); then
    echo "check-package: skipped, installing the package needs root"
    exit 0
fi
work=$(mktemp -d)
# A failed check leaves no process and no installed package behind either.
trap 'kill ${program:-} ${bus:-} 2>/dev/null || true; rm -rf "$work"
    if dpkg-query -W quorvane >/dev/null 2>&1; then apt-get purge -y -q quorvane >/dev/null; fi' EXIT
package=$(cd "$work" && "$OLDPWD/scripts/package.sh")
lintian --fail-on error "$package"

export DEBIAN_FRONTEND=noninteractive
apt-get install -y -q "$package" >/dev/null
version=$(dpkg-deb -f "$package" Version)
test "$(quorvane --version)" = "quorvane $version"

# A home and a session bus of its own: no file of the machine's user and no desktop service is touched.
mkdir -p "$work/home"
{ read -r address; read -r bus; } < <(dbus-daemon --config-file="$PWD/tests/support/private-session-bus.conf" \
    --fork --print-address=1 --print-pid=1)
HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" XDG_DATA_HOME="$work/home/.local/share" \
    DBUS_SESSION_BUS_ADDRESS="$address" quorvane &
program=$!
timeout 60 xdotool search --sync --onlyvisible --class Quorvane >/dev/null
kill "$program"
wait "$program" || true

files=$(dpkg-deb -c "$package" | awk '$1 !~ /^d/ { sub(/^\./, "", $6); print $6 }')
apt-get purge -y -q quorvane >/dev/null
left=$(for path in $files /usr/libexec/quorvane /usr/share/doc/quorvane; do
    if [[ -e $path ]]; then echo "$path"; fi
done)
if [[ -n $left ]]; then
    echo "check-package: left behind after purge:" $left >&2
    exit 1
fi
echo "check-package: $(basename "$package") built, checked, installed, started and purged"
