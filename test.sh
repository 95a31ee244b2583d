#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds with AddressSanitizer + UBSan and runs every test with CTest.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" test
cd "$root/build/test"
ctest --output-on-failure -j "$(nproc 2>/dev/null || echo 2)" "$@"
