#!/usr/bin/env bash
# What FreeImage's decoder process costs: a 1-megapixel PNG decoded in the
# program's process and through the decoder process, alternately; fails when
# the process adds more than 20 ms.
#
#   bench/decoder-bench.sh          # 30 rounds
#   ROUNDS=100 bench/decoder-bench.sh
#
# BUILD names the build folder (default build/); it is configured and built
# when the benchmark program is missing.
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD=${BUILD:-build}
ROUNDS=${ROUNDS:-30}
bench="$BUILD/bench/tavri_decoder_bench"
. bench/lib.sh
build_targets "$BUILD" tavri_decoder_bench tavrimolex-decoder
TAVRI_BIN_DIR="$PWD/$BUILD/bin" "$bench" "$ROUNDS"
