#!/usr/bin/env bash
# Builds the Debian package from the default build (what is built already is not compiled again) and puts
# it in the current folder: then `sudo apt install ./quorvane_*.deb`. Prints the package's path.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
(cd "$root" && ./scripts/install-deps.sh && cmake --preset default >/dev/null && cmake --build --preset default) >&2
rm -rf "$root/build/default/package"
cpack --config "$root/build/default/CPackConfig.cmake" -B "$root/build/default/package" >&2
package=$(ls "$root"/build/default/package/quorvane_*.deb)
mv "$package" .
echo "$PWD/$(basename "$package")"
