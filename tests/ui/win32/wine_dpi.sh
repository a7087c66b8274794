# shellcheck shell=bash
# Sourced by the DPI tests, after tests/lib/window_session.sh: a Wine prefix
# of their own, whose DPI they set. It is the window tests' prefix plus
# "-dpi" (made once, as cmake/wine-run makes any prefix), so that a run
# killed half-way (ctest's timeout kills with SIGKILL, past any trap) can
# never leave the other Wine tests at another DPI.
#
#   use_dpi_prefix WINE_RUN   sets wine_run and dpi_prefix; wine-run uses the prefix
#   set_log_pixels DPI        the DPI Wine draws at (HKCU\Control Panel\Desktop
#                             LogPixels), read by a new server: the prefix's
#                             server is stopped after the change
#   stop_wineserver           stops the prefix's server and its processes

use_dpi_prefix() {  # wine_run
    wine_run=$1
    local window_prefix
    window_prefix=${ORDAVEL_WINEPREFIX:-$(cd "$(dirname "$wine_run")" && pwd)/../build/wineprefix}
    dpi_prefix=$window_prefix-dpi
    export ORDAVEL_WINEPREFIX=$dpi_prefix
}

stop_wineserver() {
    WINEPREFIX=$dpi_prefix wineserver -k >/dev/null 2>&1 || true
    WINEPREFIX=$dpi_prefix wineserver -w >/dev/null 2>&1 || true
}

set_log_pixels() {  # dpi
    stop_wineserver
    "$wine_run" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f \
        >/dev/null 2>&1 || fail "could not set LogPixels to $1"
    stop_wineserver
    echo "Wine at LogPixels $1"
}
