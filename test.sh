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

run_tests() {
    local status=0
    ctest --test-dir build/default --output-on-failure --timeout 300 "$@" || status=1
    # The X11 and view tests drive the graphics and media stacks, which are too slow to unwind on
    # every allocation; they run above only.
    ASAN_OPTIONS=detect_leaks=1:fast_unwind_on_malloc=0 \
        LSAN_OPTIONS="suppressions=$PWD/tests/sanitizers/lsan.supp" \
        UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
        ctest --test-dir build/asan --output-on-failure --timeout 300 --label-exclude x11 "$@" || status=1
    return "$status"
}

if [[ -n "${DISPLAY:-}" ]]; then
    run_tests
else
    export -f run_tests
    xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" bash -c run_tests
fi
