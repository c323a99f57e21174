#!/usr/bin/env bash
# Checks the direction of the layout and that the views take colours and font sizes from the theme, lints
# the QML, runs every test of the default build, checks its Debian package, then runs the headless tests
# again in the sanitizer build.
# Called by test.sh, inside Xvfb when there is no display.
set -uo pipefail
cd "$(dirname "$0")/.."

status=0
# Most tests spend much of their time waiting on servers, players and their own timers, so one more runs
# than there are cores; the tests that share the one X server still take turns (tests/CMakeLists.txt).
jobs=$(($(nproc) + 1))
./scripts/check-layers.sh || status=1
./scripts/check-theme.sh || status=1
# Every C++ file as the committed .clang-format lays it out.
git ls-files -z '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror || status=1
# Every QML module's files against the types its imports and the C++ declare: a misspelt property, an
# unknown type or an unqualified name fails here rather than in a user's window.
cmake --build build/default --target all_qmllint || status=1
ctest --test-dir build/default --output-on-failure --timeout 300 -j "$jobs" || status=1
# The Debian package of that build: lintian, then installed, started on the display, asked its version and
# purged without a trace (as root only, as CI runs).
./scripts/check-package.sh || status=1
# The X11 and view tests drive the graphics and media stacks, which are too slow to unwind on every
# allocation; they run above only.
# GCC 12's sanitizer runtime mistakes some blocks of a thread's dynamic TLS for an old glibc's header and
# its leak check then crashes at exit ("Tracer caught signal 11"), in about half the runs of a test whose
# GStreamer threads come and go; not intercepting __tls_get_addr leaves those blocks to the heap scan.
ASAN_OPTIONS=detect_leaks=1:fast_unwind_on_malloc=0:intercept_tls_get_addr=0 \
    LSAN_OPTIONS="suppressions=$PWD/tests/sanitizers/lsan.supp" \
    UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
    ctest --test-dir build/asan --output-on-failure --timeout 300 -j "$jobs" --label-exclude x11 || status=1
exit "$status"
