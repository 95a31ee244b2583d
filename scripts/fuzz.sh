#!/usr/bin/env bash
# Builds the libFuzzer targets in tests/fuzz with clang and runs each one for a bounded time.
#   scripts/fuzz.sh [seconds per target, default 60]
# Findings land in build/fuzz/findings/; turn each into a regression test.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-60}"
out="$root/build/fuzz"

if ! command -v clang++-14 >/dev/null || ! compgen -G "/usr/lib/llvm-14/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a" >/dev/null; then
    sudo_cmd=()
    [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
    export DEBIAN_FRONTEND=noninteractive
    "${sudo_cmd[@]}" apt-get update -qq
    "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends clang-14 libclang-rt-14-dev
fi

mkdir -p "$out/findings"
core_gif_sources=("$root"/src/core/widgets/Gif*.cpp)
clang++-14 -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
    -I"$root/src" -I"$root/tests" "$root/tests/fuzz/fuzz_gif.cpp" "${core_gif_sources[@]}" -o "$out/fuzz_gif"

for target in fuzz_gif; do
    corpus="$out/corpus/$target"
    mkdir -p "$corpus"
    echo "== $target: $seconds s"
    "$out/$target" -max_total_time="$seconds" -max_len=8192 -rss_limit_mb=2048 -timeout=10 \
        -artifact_prefix="$out/findings/$target-" -print_final_stats=1 \
        "$corpus" "$root/tests/data/gif"
done
