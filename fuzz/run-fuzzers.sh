#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Runs fuzz targets of a TAVRI_FUZZ build (see make fuzz), each for
# FUZZ_SECONDS, on a corpus kept in the build folder between runs and seeded
# from fuzz/seeds and the damaged samples in tests/data. Findings (crashes,
# timeouts, running out of memory) land in FUZZ_BUILD/fuzz-findings and fail
# the run.
#
#   fuzz/run-fuzzers.sh [album_reader|nviewlib|jpeg_codec|chain]...
set -euo pipefail
cd "$(dirname "$0")/.."

FUZZ_BUILD=${FUZZ_BUILD:-build-fuzz}
FUZZ_SECONDS=${FUZZ_SECONDS:-60}
[ $# -gt 0 ] || set -- album_reader nviewlib jpeg_codec chain

# The chain fuzzer's first byte picks the extension, in the order of its list.
chain_extensions=(jpg bmp gif tga pcx dib jif rle png tif psd ras ico wbmp ppm pgm pbm jng koa lbm mng pcd cut)

seed() {
  local target=$1 corpus=$2 f ext i
  case $target in
  album_reader) cp fuzz/seeds/albums/* tests/data/*.tvx "$corpus"/ ;;
  nviewlib) cp fuzz/seeds/pictures/*.{bmp,tga,pcx,gif,jpg} tests/data/damaged-pictures/nviewlib_* "$corpus"/ ;;
  jpeg_codec) cp fuzz/seeds/pictures/*.jpg tests/data/damaged-pictures/jpeg_* "$corpus"/ ;;
  chain)
    for f in fuzz/seeds/pictures/* tests/data/damaged-pictures/*_*.*; do
      # The samples that keep FreeImage busy until the time limit would only
      # slow the search; the tests have them.
      case $f in *hang* | *_23s_* | *step_pbm*) continue ;; esac
      ext=${f##*.}
      for i in "${!chain_extensions[@]}"; do
        if [ "${chain_extensions[$i]}" = "$ext" ]; then
          { printf "\\x$(printf %02x "$i")"; cat "$f"; } >"$corpus/$(basename "$f")"
        fi
      done
    done
    ;;
  esac
}

export TAVRI_BIN_DIR="$PWD/$FUZZ_BUILD/bin" QT_QPA_PLATFORM=offscreen
findings="$FUZZ_BUILD/fuzz-findings"
mkdir -p "$findings"
for target in "$@"; do
  fuzzer="$FUZZ_BUILD/fuzz/fuzz_$target"
  corpus="$FUZZ_BUILD/fuzz-corpus/$target"
  if [ ! -d "$corpus" ]; then
    mkdir -p "$corpus"
    seed "$target" "$corpus"
  fi
  echo "== fuzz_$target for ${FUZZ_SECONDS} s ($(ls "$corpus" | wc -l) inputs in $corpus)"
  # The program's own limits: 15 s per file, 1.5 GB of memory.
  log="$FUZZ_BUILD/fuzz-logs/$target.log"
  mkdir -p "$(dirname "$log")"
  status=0
  "$fuzzer" "$corpus" -max_total_time="$FUZZ_SECONDS" -timeout=15 -rss_limit_mb=1536 \
    -artifact_prefix="$findings/$target-" -print_final_stats=1 >"$log" 2>&1 || status=$?
  grep -E "^(#[0-9]+ +DONE|Done [0-9]+ runs)" "$log" || true
  if [ "$status" -ne 0 ]; then
    tail -n 40 "$log" >&2
    echo "fuzz_$target found a fault (exit $status); the input is in $findings, the log in $log" >&2
    exit 1
  fi
done
