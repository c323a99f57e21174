#!/usr/bin/env bash
# Builds the Debian package and puts it in the current folder: then `sudo apt install ./quorvane_*.deb`.
# It installs only the build packages that are missing, and builds in build/package only what the package
# holds (no tests, no benchmarks), with Debian's hardening flags; a second run compiles only what changed.
# Prints the package's path.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
(cd "$root" && ./scripts/install-deps.sh --build-only && cmake --preset package >/dev/null &&
    cmake --build --preset package) >&2
rm -rf "$root/build/package/package"
cpack --config "$root/build/package/CPackConfig.cmake" -B "$root/build/package/package" >&2
package=$(ls "$root"/build/package/package/quorvane_*.deb)
mv "$package" .
echo "$PWD/$(basename "$package")"
