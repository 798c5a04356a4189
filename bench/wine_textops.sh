#!/usr/bin/env bash
# The text operations as whole commands on a real document window under
# Wine, on generated documents of 1 and 10 MB with many hits, side by side
# with sed or tr doing the same job on the same file; prints the times and
# the ratios (command / peer).
#
#   bench/wine_textops.sh [MB ...]     (default: 1 10)
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"
cd "$QL_ROOT"

sizes=("$@")
[ ${#sizes[@]} -eq 0 ] && sizes=(1 10)
out="$QL_BUILD/bench-textops"
mkdir -p "$out"
QL_TARGETS="wine_textops_bench QuillonL" ql_build_windows x86_64 >/dev/null

ql_start_xvfb
trap ql_stop_xvfb EXIT
ql_private_home
QL_WINEPREFIX="$QL_BUILD/wineprefix-bench" ql_wine_prefix

# kind, generator of one line, peer command (reads $1, writes stdout)
gen() {  # gen <kind> <MB> <file>
  python3 - "$@" <<'PY'
import sys
kind, mb, path = sys.argv[1], int(sys.argv[2]), sys.argv[3]
target = mb * 1024 * 1024
parts, size, i = [], 0, 0
while size < target:
    if kind == "replace":
        line = "some foo text foo with foo words foo in it %d" % i
    elif kind == "tags":
        line = "<p>para <b>bold</b> and <i>it</i> %d</p>" % i
    elif kind == "double":
        line = "a  double  spaced   line    of  text %d" % i
    elif kind == "trim":
        line = "   \t leading and trailing %d \t   " % i
    else:
        line = "lower case words to make upper %d" % i
    parts.append(line)
    size += len(line) + 2
    i += 1
open(path, "wb").write(("\r\n".join(parts) + "\r\n").encode("ascii"))
PY
}

peer() {  # peer <kind> <file>
  case "$1" in
    replace) sed 's/foo/barbaz/g' "$2" ;;
    tags) sed 's/<[^>]*>//g' "$2" ;;
    double) sed 's/  //g' "$2" ;;
    trim) sed 's/^[[:space:]]*//; s/[[:space:]]*$//' "$2" ;;
    upcase) tr a-z A-Z <"$2" ;;
  esac
}

printf '%-8s %5s %10s %12s %10s %8s\n' kind MB load_ms command_ms peer_ms ratio
for mb in "${sizes[@]}"; do
  for kind in replace tags double trim upcase; do
    f="$out/$kind-${mb}mb.txt"
    [ -f "$f" ] || gen "$kind" "$mb" "$f"
    start=$(date +%s%N)
    peer "$kind" "$f" >/dev/null
    peer_ms=$(( ($(date +%s%N) - start) / 1000000 ))
    line=$(wine "$QL_BUILD/win64/wine_textops_bench.exe" "$kind" "$(winepath -w "$f")" | tr -d '\r')
    load=$(sed -n 's/.*load_ms=\([0-9]*\).*/\1/p' <<<"$line")
    cmd=$(sed -n 's/.*command_ms=\([0-9]*\).*/\1/p' <<<"$line")
    ratio=$(python3 -c "print('%.1f' % ($cmd / max($peer_ms, 1)))")
    printf '%-8s %5s %10s %12s %10s %8s\n' "$kind" "$mb" "$load" "$cmd" "$peer_ms" "$ratio"
  done
done
wineserver -k >/dev/null 2>&1 || true
