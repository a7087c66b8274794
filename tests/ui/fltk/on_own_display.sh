#!/usr/bin/env bash
# Runs a test program on a virtual display of its own, of a given size,
# whose desktop asks for a given DPI in the X resource Xft.dpi (set before
# the program connects, as a desktop sets it at login).
#   on_own_display.sh WIDTHxHEIGHT DPI PROGRAM [ARGUMENT...]
# Exit status 77 (skipped) without Xvfb or xrdb.
set -euo pipefail
# shellcheck source=SCRIPTDIR/../../lib/window_session.sh
. "$(dirname "${BASH_SOURCE[0]}")/../../lib/window_session.sh"
geometry=$1
dpi=$2
shift 2
session_begin
skip_without_tools Xvfb xrdb xdpyinfo
start_own_display "${geometry}x24"
echo "Xft.dpi: $dpi" | xrdb -merge
"$@"
