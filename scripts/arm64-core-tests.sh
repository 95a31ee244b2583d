#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds tavrola_core and its tests for arm64 with Debian's aarch64-linux-gnu cross-compiler
# (GoogleTest from Debian's sources) and runs them under qemu-user against the cross-compiler's own
# arm64 C and C++ libraries. Not part of ./test.sh; see the README for its time.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
need=(crossbuild-essential-arm64 qemu-user-static googletest cmake ninja-build)
"$root/scripts/install-deps.sh" "${need[@]}"
dir="$root/build/arm64-core"
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/aarch64-linux-gnu.cmake" \
    -DTAVROLA_ARM64_SYSROOT= -DCMAKE_BUILD_TYPE=Release -DTAVROLA_BUILD_GUI=OFF -DTAVROLA_BUILD_BENCH=OFF \
    -DTAVROLA_WERROR=ON -DTAVROLA_GTEST_SOURCE_DIR=/usr/src/googletest >/dev/null
cmake --build "$dir" -j "${JOBS:-2}" --target tavrola_core_tests
file "$dir/tests/tavrola_core_tests"
qemu-aarch64-static -L /usr/aarch64-linux-gnu -E LD_LIBRARY_PATH=/lib:/usr/lib \
    -E TAVROLA_TEST_DATA="$root/tests/data" "$dir/tests/tavrola_core_tests" "$@"
