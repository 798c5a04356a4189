#!/usr/bin/env bash
# Open and save of generated text files (1, 5 and 20 MB, lines of about 60
# characters, CR LF) in Quillon and in Wine's notepad, side by side in one
# run under Wine on a virtual display; prints the times, their ratios and
# Quillon's memory after the open.
#
#   bench/wine_open_save.sh [MB ...]     (default: 1 5 20; needs the 64-bit build)
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"
cd "$QL_ROOT"

sizes=("$@")
[ ${#sizes[@]} -eq 0 ] && sizes=(1 5 20)
out="$QL_BUILD/bench-open-save"
mkdir -p "$out"
[ -f "$QL_BUILD/win64/Quillon.exe" ] || ql_build_windows x86_64
x86_64-w64-mingw32-g++-posix -std=c++20 -O2 -static -o "$out/wine_open_save.exe" \
  bench/wine_open_save.cpp -lpsapi

ql_start_xvfb
trap ql_stop_xvfb EXIT
ql_private_home
QL_WINEPREFIX="$QL_BUILD/wineprefix-bench" ql_wine_prefix

files=()
for mb in "${sizes[@]}"; do
  f="$out/text${mb}mb.txt"
  if [ ! -f "$f" ]; then
    # Lines of 58 printable characters plus CR LF, varied so that nothing compresses away.
    python3 - "$f" "$mb" <<'PY'
import sys
path, mb = sys.argv[1], int(sys.argv[2])
words = "lorem ipsum dolor sit amet consectetur adipiscing elit sed do eiusmod tempor".split()
lines, size, i = [], 0, 0
while size < mb * 1024 * 1024:
    line = " ".join(words[(i + k) % len(words)] for k in range(9))[:55] + " %02d" % (i % 100)
    lines.append(line)
    size += len(line) + 2
    i += 1
open(path, "wb").write(("\r\n".join(lines) + "\r\n").encode("ascii"))
PY
  fi
  files+=("$(winepath -w "$f" 2>/dev/null || echo "Z:${f//\//\\}")")
done

wine "$out/wine_open_save.exe" "$(winepath -w "$QL_BUILD/win64/Quillon.exe")" "${files[@]}"
wineserver -k >/dev/null 2>&1 || true
