#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures and builds one flavour: "release" (build/, program folder build/tavrola/) or
# "test" (build/test/, with AddressSanitizer + UBSan and warnings as errors).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
flavour="${1:-release}"
jobs="$(nproc 2>/dev/null || echo 2)"
# ccache, when installed, keeps compiled objects across build folders and clones (optional).
launcher=()
if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR="$root" CCACHE_NOHASHDIR=1
fi
case "$flavour" in
release)
    dir="$root/build"
    cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVROLA_BUILD_TESTS=OFF "${launcher[@]}" >/dev/null
    ;;
test)
    dir="$root/build/test"
    cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVROLA_SANITIZE=ON -DTAVROLA_WERROR=ON \
        -DTAVROLA_TEST_TRUST=ON -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" "${launcher[@]}" >/dev/null
    ;;
bench)
    dir="$root/build/bench"
    cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVROLA_BUILD_TESTS=OFF "${launcher[@]}" >/dev/null
    ;;
*)
    echo "usage: $0 [release|test|bench]" >&2
    exit 2
    ;;
esac
# Qt's moc step misses headers added to an existing build folder; start it afresh when the set of
# headers has changed since the last build.
stamp="$dir/.header-list"
headers="$(cd "$root" && find src tests -name '*.h' | sort | md5sum)"
if [ -f "$stamp" ] && [ "$(cat "$stamp")" != "$headers" ]; then
    find "$dir" -type d -name '*_autogen' -prune -exec rm -rf {} +
fi
cmake --build "$dir" -j "$jobs"
echo "$headers" >"$stamp"
