#!/usr/bin/env bash
# Installs what is missing, builds the editor and starts it under Wine with
# the files named as arguments. Without a display it runs on a virtual one
# and saves a screenshot of the window.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
cd "$QL_ROOT"
mkdir -p "$QL_BUILD"

ql_install_missing
ql_log "building"
if ! QL_TARGETS="Quillon QuillonL" ql_build_windows x86_64 >"$QL_BUILD/run-build.log" 2>&1; then
  tail -30 "$QL_BUILD/run-build.log" >&2
  ql_log "the build failed; the whole log is in $QL_BUILD/run-build.log"
  exit 1
fi

# File arguments as Windows paths, so that the editor finds them.
args=()
for f in "$@"; do
  if [ -e "$f" ]; then args+=("Z:$(realpath "$f" | tr '/' '\\')"); else args+=("$f"); fi
done

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
desktop=1
if [ -z "${DISPLAY:-}" ]; then
  desktop=0
  ql_start_xvfb
  trap ql_stop_xvfb EXIT
fi
# A Wine prefix of the build's own, in which Wine draws the window frames
# itself (on the virtual display no window manager runs; on a desktop the
# program's own caption is then what the user sees), with Wine's fonts.
export WINEPREFIX="$QL_BUILD/wineprefix-run"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  ql_log "creating the Wine prefix $WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1 || true
  wineserver -w || true
fi
ql_wine_fonts
if [ "$desktop" -eq 1 ]; then
  exec wine "$QL_BUILD/win64/Quillon.exe" "${args[@]}"
fi

wine "$QL_BUILD/win64/Quillon.exe" "${args[@]}" &
pid=$!
for _ in $(seq 60); do
  xwininfo -root -tree 2>/dev/null | grep -q "Tolvek's Quillon Light" && break
  sleep 1
done
sleep 2
shot="$QL_BUILD/screenshot.png"
import -window root "$shot"
ql_log "Quillon Light is running on the virtual display $DISPLAY; a screenshot of it is in $shot"
ql_log "press Ctrl+C to end it"
wait "$pid" || true
