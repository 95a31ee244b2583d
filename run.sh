#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds the program (Release) and starts the clock.
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/scripts/install-deps.sh"
"$root/scripts/build.sh" release
program="$root/build/tavrola/tavrola"
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found: starting the clock on a virtual X display (xvfb-run)."
    exec xvfb-run -a -s "-screen 0 1920x1080x24" "$program" "$@"
fi
exec "$program" "$@"
