#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Checks the limits of picture decoding on damaged files: each file is decoded
# in a process of its own, as the program does it (full size, then for a
# 200 x 200 thumbnail), and must end without a crash, each decode within
# MAX_SECONDS, with the peak memory of the process and its decoder process
# together below MAX_MB.
#
#   fuzz/check-limits.sh                      # the samples in tests/data/damaged-pictures
#   fuzz/check-limits.sh FOLDER|FILE...       # pictures named by their extension
#   EXTENSION=.jpg fuzz/check-limits.sh build-fuzz/fuzz-corpus/jpeg_codec
#   CHAIN_CORPUS=1 fuzz/check-limits.sh build-fuzz/fuzz-corpus/chain
#
# EXTENSION decodes files without one under that extension; CHAIN_CORPUS
# reads the chain fuzzer's inputs, whose first byte picks the extension.
# MAX_SECONDS defaults to 4: the decoder process gives a small damaged file
# at most 1.5 s of processor time, twice that on the clock of a busy machine.
set -uo pipefail
cd "$(dirname "$0")/.."

BUILD=${BUILD:-build}
MAX_SECONDS=${MAX_SECONDS:-4}
MAX_MB=${MAX_MB:-1536}
check="$BUILD/fuzz/tavri_decode_check"
# The check comes with the tests, which make run leaves out of the build folder.
if ! grep -qx 'TAVRI_BUILD_TESTS:BOOL=ON' "$BUILD/CMakeCache.txt" 2>/dev/null; then
  ./scripts/install-deps test
  cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVRI_BUILD_TESTS=ON >/dev/null
fi
cmake --build "$BUILD" --target tavri_decode_check tavrimolex-decoder NViewLib >/dev/null || exit 1
export TAVRI_BIN_DIR="$PWD/$BUILD/bin" QT_QPA_PLATFORM=offscreen

[ $# -gt 0 ] || set -- tests/data/damaged-pictures
mapfile -t files < <(for a in "$@"; do
  if [ -d "$a" ]; then find "$a" -type f ! -name '*.md' | sort; else echo "$a"; fi
done)

# Fuzzing corpora hold bare inputs: give each its extension in a folder of its own.
if [ -n "${EXTENSION:-}${CHAIN_CORPUS:-}" ]; then
  named=$(mktemp -d)
  trap 'rm -rf "$named"' EXIT
  chain_extensions=(jpg bmp gif tga pcx dib jif rle png tif psd ras ico wbmp ppm pgm pbm jng koa lbm mng pcd cut)
  n=0
  for f in "${files[@]}"; do
    n=$((n + 1))
    if [ -n "${CHAIN_CORPUS:-}" ]; then
      first=$(head -c 1 "$f" | od -An -tu1 | tr -d ' ')
      [ -n "$first" ] || continue
      tail -c +2 "$f" >"$named/$n.${chain_extensions[$(((first & 127) % ${#chain_extensions[@]}))]}"
    else
      cp "$f" "$named/$n$EXTENSION"
    fi
  done
  mapfile -t files < <(find "$named" -type f | sort)
fi

failed=0 worst_s=0 worst_mb=0
for f in "${files[@]}"; do
  line=$(timeout $((MAX_SECONDS * 4)) "$check" "$f" 2>/dev/null)
  rc=$?
  if [ $rc -ne 0 ] || [ -z "$line" ]; then
    echo "FAIL (exit $rc): $f"
    failed=$((failed + 1))
    continue
  fi
  read -r secs mb < <(echo "$line" | awk -F'\t' '{
    split($2, a, " "); split($3, b, " "); split($4, p, " "); split($5, d, " ");
    s = a[3] > b[2] ? a[3] : b[2]; printf "%.3f %.0f\n", s, (p[2] + d[2]) / 1024 }')
  awk -v s="$secs" -v m="$mb" -v ms="$MAX_SECONDS" -v mm="$MAX_MB" 'BEGIN { exit !(s > ms || m > mm) }' && {
    echo "OVER LIMIT: $line"
    failed=$((failed + 1))
  }
  worst_s=$(awk -v a="$worst_s" -v b="$secs" 'BEGIN { print (b > a ? b : a) }')
  worst_mb=$((mb > worst_mb ? mb : worst_mb))
  [ -n "${VERBOSE:-}" ] && echo "$line"
done
echo "${#files[@]} files: slowest decode ${worst_s} s, largest peak ${worst_mb} MB (program and decoder), ${failed} over a limit or crashed"
[ "$failed" -eq 0 ]
