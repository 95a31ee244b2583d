#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package build/package/tavrola_<version>_<arch>.deb from a Release build and
# checks it with lintian. amd64 is built natively; arm64 is cross-built with Debian's
# aarch64-linux-gnu compiler against an arm64 root made from Debian's arm64 packages
# (scripts/arm64-sysroot.sh), the host's own Qt tools generating code and qemu-user drawing the
# artwork. Not part of ./test.sh. JOBS sets the parallel build jobs (default 2).
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
arch="${1:-amd64}"
jobs="${JOBS:-2}"
need=(dpkg-dev lintian gzip)
case "$arch" in
amd64) ;;
arm64) need+=(crossbuild-essential-arm64 qemu-user-static) ;;
*)
    echo "usage: $0 [amd64|arm64]" >&2
    exit 2
    ;;
esac
"$root/scripts/install-deps.sh"
"$root/scripts/install-deps.sh" "${need[@]}"

dir="$root/build/package-$arch"
cross=()
if [ "$arch" = arm64 ]; then
    "$root/scripts/arm64-sysroot.sh" "$root/build/arm64-sysroot"
    cross=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/aarch64-linux-gnu.cmake"
        -DTAVROLA_ARM64_SYSROOT="$root/build/arm64-sysroot")
fi
# Debian's hardening flags for the target architecture.
export DEB_HOST_ARCH="$arch" DEB_BUILD_MAINT_OPTIONS=hardening=+all
cxxflags="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
ldflags="$(dpkg-buildflags --get LDFLAGS)"
cmake -S "$root" -B "$dir" -G Ninja "${cross[@]}" -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DTAVROLA_BUILD_TESTS=OFF -DTAVROLA_BUILD_BENCH=OFF -DTAVROLA_PROGRAM_DIR="$dir/tavrola" \
    -DCMAKE_CXX_FLAGS="$cxxflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" >/dev/null
cmake --build "$dir" -j "$jobs"
mkdir -p "$root/build/package"
(cd "$dir" && cpack -B "$root/build/package" >/dev/null)
rm -rf "$root/build/package/_CPack_Packages"
deb="$(ls -t "$root"/build/package/tavrola_*_"$arch".deb | head -n 1)"
echo "$deb"
lintian --info --display-info "$deb"
