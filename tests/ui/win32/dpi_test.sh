#!/usr/bin/env bash
# The window's DPI tests (gtest filter Dpi*) in process under Wine at
# another DPI: LogPixels set in a Wine prefix of the DPI tests' own
# (tests/ui/win32/wine_dpi.sh), on a 3840 x 2160 virtual display of its own,
# which holds the window unshrunk at every DPI up to 192. The tests read
# the DPI they expect from ORDAVEL_EXPECTED_DPI.
#   dpi_test.sh WINE_RUN WINDOW_TESTS_EXE DPI
# Exit status 77 (skipped) without Xvfb.
set -euo pipefail
here=$(dirname "${BASH_SOURCE[0]}")
# shellcheck source=SCRIPTDIR/../../lib/window_session.sh
. "$here/../../lib/window_session.sh"
# shellcheck source=SCRIPTDIR/wine_dpi.sh
. "$here/wine_dpi.sh"
tests=$2
dpi=$3
session_begin
skip_without_tools Xvfb xdpyinfo
use_dpi_prefix "$1"
trap 'stop_wineserver; session_end' EXIT
start_own_display 3840x2160x24
set_log_pixels "$dpi"
ORDAVEL_EXPECTED_DPI=$dpi "$wine_run" "$tests" --gtest_filter='Dpi*'
