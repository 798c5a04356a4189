#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test:
# the platform-free tests natively, the Windows tests under Wine on a
# virtual display. Ends with one line "N passed, N failed".
set -uo pipefail
source "$(dirname "$0")/scripts/common.sh"
cd "$QL_ROOT"

ql_install_missing || { echo "0 passed, 1 failed"; exit 1; }

ql_log "building the platform-free code and its tests"
ql_build_native || { echo "0 passed, 1 failed"; exit 1; }
ql_log "building the 64-bit program, its dialog library and the Windows tests"
ql_build_windows x86_64 || { echo "0 passed, 1 failed"; exit 1; }
ql_log "building the 32-bit program and dialog library"
ql_build_windows i686 -DQL_WIN_TESTS=OFF || { echo "0 passed, 1 failed"; exit 1; }

passed=0
failed=0
results="$QL_BUILD/test-results"
mkdir -p "$results"

# run_suite <name> <command...>: runs one GoogleTest program and adds its counts.
run_suite() {
  local name="$1"; shift
  local log="$results/$name.log"
  ql_log "running $name"
  "$@" >"$log" 2>&1
  local rc=$?
  local p f
  p=$(grep -aE '^\[  PASSED  \] [0-9]+ test' "$log" | tail -1 | grep -oE '[0-9]+' | head -1)
  f=$(grep -aE '^\[  FAILED  \] [0-9]+ test' "$log" | tail -1 | grep -oE '[0-9]+' | head -1)
  p=${p:-0}; f=${f:-0}
  if [ "$rc" -ne 0 ] && [ "$f" -eq 0 ]; then
    f=1  # it crashed or could not start
    ql_log "$name ended with exit code $rc"
  fi
  grep -aE '^\[  FAILED  \] [A-Za-z]' "$log" | sort -u >&2
  if [ "$f" -ne 0 ]; then tail -40 "$log" >&2; fi
  ql_log "$name: $p passed, $f failed"
  passed=$((passed + p))
  failed=$((failed + f))
}

# From here on the tests have a home (and temporary folder) of their own.
ql_private_home
run_suite core "$QL_BUILD/native/quillon_core_tests"

ql_start_xvfb || { echo "$passed passed, $((failed + 1)) failed"; exit 1; }
trap 'ql_stop_xvfb; ql_stop_printer' EXIT
ql_wine_prefix
ql_start_printer
run_suite win wine "$QL_BUILD/win64/quillon_win_tests.exe"
run_suite e2e wine "$QL_BUILD/win64/quillon_e2e_tests.exe"
wineserver -k >/dev/null 2>&1 || true

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
