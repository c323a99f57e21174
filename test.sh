#!/usr/bin/env bash
# Installs what is missing, builds Quorvane and runs every test. Starts Xvfb when there is no display.
set -euo pipefail
cd "$(dirname "$0")"
./scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default

run_tests() {
    ctest --test-dir build/default --output-on-failure --timeout 300 "$@"
}

if [[ -n "${DISPLAY:-}" ]]; then
    run_tests
else
    export -f run_tests
    xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" bash -c run_tests
fi
