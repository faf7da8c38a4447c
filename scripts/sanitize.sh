#!/usr/bin/env bash
# Builds the program and its tests with AddressSanitizer and UndefinedBehaviorSanitizer in
# build-asan/ and runs every test once there. Exits non-zero on a failing test and on anything a
# sanitizer reports (a report ends the process that made it). Arguments go to ctest.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/setup.sh
velkor_install_packages

sanitizers="-fsanitize=address,undefined"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" \
  -DCMAKE_CXX_FLAGS="$sanitizers -fno-omit-frame-pointer" \
  -DCMAKE_EXE_LINKER_FLAGS="$sanitizers" -DCMAKE_SHARED_LINKER_FLAGS="$sanitizers" >/dev/null
cmake --build build-asan -j "$(nproc)"

export QT_QPA_PLATFORM=offscreen
# A crash ends the process by its signal, as without the sanitizers: the program judges the children
# that read damaged files by how they end, and a test's own crash is reported by Qt Test. Leaks are
# traced through the system's libraries too, so that the suppressions can name Qt's own frames.
export ASAN_OPTIONS=detect_leaks=1:fast_unwind_on_malloc=0:check_initialization_order=1:strict_init_order=1:handle_segv=0:handle_sigbus=0:handle_sigfpe=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp:print_suppressions=0"
cd build-asan
ctest --output-on-failure -j "$(nproc)" "$@"
