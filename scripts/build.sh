#!/usr/bin/env bash
# Configures and builds one flavour: "release" (build/, program folder build/tavrola/) or
# "test" (build/test/, with AddressSanitizer + UBSan and warnings as errors).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
flavour="${1:-release}"
jobs="$(nproc 2>/dev/null || echo 2)"
case "$flavour" in
release)
    dir="$root/build"
    cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVROLA_BUILD_TESTS=OFF >/dev/null
    ;;
test)
    dir="$root/build/test"
    cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVROLA_SANITIZE=ON -DTAVROLA_WERROR=ON \
        -DTAVROLA_TEST_TRUST=ON -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" >/dev/null
    ;;
bench)
    dir="$root/build/bench"
    cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVROLA_BUILD_TESTS=OFF >/dev/null
    ;;
*)
    echo "usage: $0 [release|test|bench]" >&2
    exit 2
    ;;
esac
cmake --build "$dir" -j "$jobs"
