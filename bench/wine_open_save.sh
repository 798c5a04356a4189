#!/usr/bin/env bash
# Start, open, editing keys and save of generated text files (1, 20 and 100
# MB, lines of about 60 characters, CR LF) in Quillon and in Wine's notepad,
# side by side in one run under Wine on a virtual display; prints the times,
# their ratios and each program's memory after the open.
#
#   bench/wine_open_save.sh [MB ...]     (default: 1 20 100; needs the 64-bit build)
set -euo pipefail
source "$(dirname "$0")/../scripts/common.sh"
cd "$QL_ROOT"

sizes=("$@")
[ ${#sizes[@]} -eq 0 ] && sizes=(1 20 100)
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
variants = [(" ".join(words[(i + k) % len(words)] for k in range(9))[:55] + " %02d" % (i % 100) + "\r\n").encode("ascii")
            for i in range(1100)]
with open(path, "wb") as out:
    size, i = 0, 0
    while size < mb * 1024 * 1024:
        line = variants[i % len(variants)]
        out.write(line)
        size += len(line)
        i += 1
PY
  fi
  files+=("$(winepath -w "$f" 2>/dev/null || echo "Z:${f//\//\\}")")
done

wine "$out/wine_open_save.exe" "$(winepath -w "$QL_BUILD/win64/Quillon.exe")" "${files[@]}"
# Go to line 1,000,000 in the largest file, in the program (without the dialog).
QL_TARGETS="wine_textops_bench" ql_build_windows x86_64 >/dev/null
echo "go to line 1,000,000 in ${files[-1]##*\\}: $(wine "$QL_BUILD/win64/wine_textops_bench.exe" goto "${files[-1]}" | tr -d '\r')"
echo "keys in the program, ${files[-1]##*\\}: $(wine "$QL_BUILD/win64/wine_textops_bench.exe" keys "${files[-1]}" | tr -d '\r')"
wineserver -k >/dev/null 2>&1 || true
