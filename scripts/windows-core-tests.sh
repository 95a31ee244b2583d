#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds tavrola_core and its tests for Windows with MinGW-w64 and runs them under Wine.
# Not part of ./test.sh (Wine's first start alone takes a while); see the README for its time.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
need=(g++-mingw-w64-x86-64-posix wine64 wine googletest cmake ninja-build nlohmann-json3-dev)
"$root/scripts/install-deps.sh" "${need[@]}"
dir="$root/build/windows"
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
    -DCMAKE_BUILD_TYPE=Release -DTAVROLA_BUILD_GUI=OFF -DTAVROLA_BUILD_BENCH=OFF -DTAVROLA_WERROR=ON \
    -DTAVROLA_GTEST_SOURCE_DIR=/usr/src/googletest >/dev/null
cmake --build "$dir" -j "$(nproc 2>/dev/null || echo 2)" --target tavrola_core_tests
export WINEPREFIX="${WINEPREFIX:-$root/build/windows/wineprefix}" WINEDEBUG=-all
# The tests run from a Windows temp folder; the test data is reached through Wine's Z: drive.
TAVROLA_TEST_DATA="Z:${root//\//\\}\\tests\\data" wine "$dir/tests/tavrola_core_tests.exe" "$@"
