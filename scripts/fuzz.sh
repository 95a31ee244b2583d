#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets in tests/fuzz with clang and runs each one for a bounded time.
#   scripts/fuzz.sh [seconds per target, default 60; 0 only builds] [target ...]
#   FUZZ_TOTAL_SECONDS   bound on the whole run's fuzzing time (default: 15 minutes)
# Each tests/fuzz/fuzz_<name>.cpp is one target, linked with the core sources it includes (followed
# through their own includes). Its corpus in build/fuzz/corpus/<target>/ is seeded from
# tests/fuzz/corpus/<target>/ and the files tests/fuzz/seeds.txt names; tests/fuzz/<target>.dict is
# used when present. Findings land in build/fuzz/findings/; turn each into a regression test.
# Exit status 1 when any target found something.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
seconds="${1:-60}"
shift || true
total="${FUZZ_TOTAL_SECONDS:-900}"
out="$root/build/fuzz"

if ! command -v clang++-14 >/dev/null || ! compgen -G "/usr/lib/llvm-14/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a" >/dev/null; then
    sudo_cmd=()
    [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
    export DEBIAN_FRONTEND=noninteractive
    "${sudo_cmd[@]}" apt-get update -qq
    "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends clang-14 libclang-rt-14-dev
fi

mkdir -p "$out/findings" "$out/generated/core"

# The generated header the core may include, filled in from the top-level CMakeLists.txt.
version="$(sed -nE 's/^project\(Tavrola VERSION ([0-9]+\.[0-9]+\.[0-9]+).*/\1/p' "$root/CMakeLists.txt")"
IFS=. read -r v_major v_minor v_patch <<<"$version"
sed -e "s/@TAVROLA_TITLE@/Tavrola/" -e "s/@PROJECT_VERSION_MAJOR@/$v_major/g" \
    -e "s/@PROJECT_VERSION_MINOR@/$v_minor/g" -e "s/@PROJECT_VERSION_PATCH@/$v_patch/g" -e "s/@[A-Z_]*@//g" \
    "$root/src/core/AppInfo.h.in" >"$out/generated/core/AppInfo.h.new"
cmp -s "$out/generated/core/AppInfo.h.new" "$out/generated/core/AppInfo.h" 2>/dev/null ||
    mv "$out/generated/core/AppInfo.h.new" "$out/generated/core/AppInfo.h"
rm -f "$out/generated/core/AppInfo.h.new"

# The files a source needs: every "core/..." header it includes, directly or through other headers
# and sources, and the .cpp of the same name.
core_sources_for() {
    local -A seen=()
    local queue=("$1") file inc header
    while [ "${#queue[@]}" -gt 0 ]; do
        file="${queue[0]}"
        queue=("${queue[@]:1}")
        while IFS= read -r inc; do
            for header in "$root/src/$inc" "$root/tests/$inc"; do
                [ -f "$header" ] || continue
                if [ -z "${seen[$header]:-}" ]; then
                    seen[$header]=1
                    queue+=("$header")
                    echo "$header"
                fi
                local cpp="${header%.h}.cpp"
                if [ -f "$cpp" ] && [ -z "${seen[$cpp]:-}" ]; then
                    seen[$cpp]=1
                    queue+=("$cpp")
                    echo "$cpp"
                fi
            done
        done < <(sed -nE 's/^#include "(core\/[^"]+)".*/\1/p' "$file")
    done
}

if [ "$#" -gt 0 ]; then
    targets=("$@")
else
    targets=()
    for src in "$root"/tests/fuzz/fuzz_*.cpp; do
        targets+=("$(basename "$src" .cpp)")
    done
fi

for target in "${targets[@]}"; do
    src="$root/tests/fuzz/$target.cpp"
    [ -f "$src" ] || { echo "no such target: $target" >&2; exit 2; }
    mapfile -t needed < <(core_sources_for "$src")
    sources=()
    stale=0
    [ -f "$out/$target" ] && [ "$out/$target" -nt "$src" ] && [ "$out/$target" -nt "$0" ] || stale=1
    for file in "${needed[@]}"; do
        [[ "$file" == *.cpp ]] && sources+=("$file")
        [ "$out/$target" -nt "$file" ] || stale=1
    done
    [ "$stale" -eq 1 ] || continue
    echo "== building $target (${#sources[@]} core sources)"
    clang++-14 -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
        -I"$root/src" -I"$root/tests" -I"$out/generated" "$src" "${sources[@]}" -o "$out/$target"
done

[ "$seconds" -gt 0 ] || exit 0

summary=()
found=0
start=$SECONDS
for target in "${targets[@]}"; do
    left=$((total - (SECONDS - start)))
    if [ "$left" -le 0 ]; then
        summary+=("$target: not run, total time of ${total} s used up")
        continue
    fi
    budget=$((seconds < left ? seconds : left))

    corpus="$out/corpus/$target"
    mkdir -p "$corpus"
    if [ -d "$root/tests/fuzz/corpus/$target" ]; then
        cp -n "$root/tests/fuzz/corpus/$target"/* "$corpus"/ 2>/dev/null || true
    fi
    if [ -f "$root/tests/fuzz/seeds.txt" ]; then
        while read -r name pattern; do
            [ "$name" = "$target" ] || continue
            for seed in $root/$pattern; do
                [ -f "$seed" ] && cp -n "$seed" "$corpus"/
            done
        done < <(grep -v '^#' "$root/tests/fuzz/seeds.txt")
    fi
    dict=()
    [ -f "$root/tests/fuzz/$target.dict" ] && dict=(-dict="$root/tests/fuzz/$target.dict")

    before="$(find "$out/findings" -name "$target-*" | wc -l)"
    log="$out/$target.log"
    echo "== $target: $budget s"
    status=0
    # The outer time-out only guards against a hung target; libFuzzer stops itself at the bound.
    timeout --kill-after=10 $((budget + 60)) "$out/$target" -max_total_time="$budget" -max_len=8192 \
        -rss_limit_mb=2048 -timeout=10 -artifact_prefix="$out/findings/$target-" -print_final_stats=1 \
        "${dict[@]}" "$corpus" >"$log" 2>&1 || status=$?
    tail -n 12 "$log"
    runs="$(sed -nE 's/^stat::number_of_executed_units: *([0-9]+).*/\1/p' "$log" | tail -n 1)"
    [ -n "$runs" ] || runs="$(sed -nE 's/^#([0-9]+)\s.*/\1/p' "$log" | tail -n 1)"
    crashes=$(($(find "$out/findings" -name "$target-*" | wc -l) - before))
    if [ "$status" -ne 0 ] && [ "$crashes" -eq 0 ]; then
        crashes=1 # died without leaving an input behind; the log says why
    fi
    [ "$crashes" -gt 0 ] && found=1
    summary+=("$target: ${runs:-0} runs, $crashes crashes")
done

echo "== summary (findings in $out/findings, logs in $out/<target>.log)"
printf '%s\n' "${summary[@]}"
exit "$found"
