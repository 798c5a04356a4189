#!/usr/bin/env bash
# Installs what is missing, builds the editor and starts it under Wine with
# the files named as arguments. Without a display it runs on a virtual one
# and saves a screenshot of the window.
set -euo pipefail
source "$(dirname "$0")/scripts/common.sh"
cd "$QL_ROOT"

ql_install_missing
ql_log "building"
ql_build_windows x86_64 -DQL_WIN_TESTS=OFF >/dev/null

# File arguments as Windows paths, so that the editor finds them.
args=()
for f in "$@"; do
  if [ -e "$f" ]; then args+=("Z:$(realpath "$f" | tr '/' '\\')"); else args+=("$f"); fi
done

export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
if [ -n "${DISPLAY:-}" ]; then
  exec wine "$QL_BUILD/win64/Quillon.exe" "${args[@]}"
fi

ql_start_xvfb
trap ql_stop_xvfb EXIT
wine "$QL_BUILD/win64/Quillon.exe" "${args[@]}" &
pid=$!
sleep 8
shot="$QL_BUILD/screenshot.png"
import -window root "$shot"
ql_log "Quillon Light is running on the virtual display $DISPLAY; a screenshot of it is in $shot"
ql_log "press Ctrl+C to end it"
wait "$pid" || true
