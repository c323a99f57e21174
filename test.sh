#!/usr/bin/env bash
# Installs what is missing, builds Quorvane and runs every test, then the headless unit tests again
# built with AddressSanitizer and UndefinedBehaviorSanitizer, leaks included. Starts Xvfb when there
# is no display.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
cmake --preset asan >/dev/null
cmake --build --preset asan

if [[ -n "${DISPLAY:-}" ]]; then
    exec ./scripts/run-tests.sh
else
    exec xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" ./scripts/run-tests.sh
fi
