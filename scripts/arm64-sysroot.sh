#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes an arm64 root for cross builds from Debian's arm64 packages, without installing any of them
# on this machine: apt resolves Qt's dependencies for arm64 as for an empty system, downloads them
# and unpacks them into the folder (default build/arm64-sysroot). The host's own amd64 packages are
# left exactly as they are. Idempotent: an existing root is kept.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
sysroot="${1:-$root/build/arm64-sysroot}"
[ -f "$sysroot/.complete" ] && exit 0
sudo_cmd=()
[ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
# apt needs the arm64 package lists; adding the architecture installs nothing.
if ! dpkg --print-foreign-architectures | grep -qx arm64; then
    "${sudo_cmd[@]}" dpkg --add-architecture arm64
    "${sudo_cmd[@]}" apt-get update -qq
fi
work="$(dirname "$sysroot")/arm64-apt"
rm -rf "$work" "$sysroot"
mkdir -p "$work/debs" "$sysroot"
: >"$work/empty-status"
apt-get -o Dir::State::status="$work/empty-status" -o APT::Architecture=arm64 -o APT::Architectures::=arm64 \
    -o APT::Install-Recommends=0 install -s qt6-base-dev qt6-speech-dev qt6-multimedia-dev qt6-declarative-dev qt6-qpa-plugins libxkbcommon-dev \
    libstdc++-12-dev libxss-dev libxext-dev \
    >"$work/resolved.txt"
sed -nE 's/^Inst ([^ ]+) \(([^ ]+) .*\[(arm64|all)\]\).*/\1:\3=\2/p' "$work/resolved.txt" >"$work/packages.txt"
(cd "$work/debs" && xargs -a "$work/packages.txt" apt-get download -qq)
for deb in "$work"/debs/*.deb; do
    dpkg-deb -x "$deb" "$sysroot"
done
# Absolute links (libm.so -> /lib/...) would point into the host; make them relative to the root.
find "$sysroot" -type l -lname '/*' | while read -r link; do
    target="$(readlink "$link")"
    ln -sfn "$(realpath -m --relative-to="$(dirname "$link")" "$sysroot$target")" "$link"
done
touch "$sysroot/.complete"
echo "arm64 root: $sysroot ($(wc -l <"$work/packages.txt") packages)"
