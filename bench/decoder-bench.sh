#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# What FreeImage's decoder process and the decoder's limits cost:
#  1. a 1-megapixel PNG decoded in the program's process and through the
#     decoder process, alternately; fails when the process adds more than 20 ms;
#  2. how long each damaged picture holds the caller when first asked for (as
#     the photo window does) and when asked again (as for its thumbnail); goal:
#     about 2 s at most, once;
#  3. that a 100-megapixel JPEG, a 48-megapixel PNG and a 35-megapixel TIFF
#     still open, with the share of its time budget each used;
#  4. the extra time standing a 12-megapixel JPEG upright by its Exif tag
#     costs, against the same photo without a tag (ratios; goal: under 5%).
#
#   bench/decoder-bench.sh          # 30 rounds of 1., 41 of 4.
#   ROUNDS=100 bench/decoder-bench.sh
#   DAMAGED=../shared/damaged-pictures bench/decoder-bench.sh
#
# BUILD names the build folder (default build/); it is configured and built
# when the benchmark program is missing.
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD=${BUILD:-build}
ROUNDS=${ROUNDS:-30}
ORIENTATION_ROUNDS=${ORIENTATION_ROUNDS:-41}
DAMAGED=${DAMAGED:-tests/data/damaged-pictures}
. bench/lib.sh
build_targets "$BUILD" tavri_decoder_bench tavri_decoder_limits_bench tavrimolex-decoder NViewLib
export TAVRI_BIN_DIR="$PWD/$BUILD/bin"
status=0
"$BUILD/bench/tavri_decoder_bench" "$ROUNDS" || status=1
echo
"$BUILD/bench/tavri_decoder_limits_bench" damaged "$DAMAGED" || status=1
echo
"$BUILD/bench/tavri_decoder_limits_bench" large || status=1
echo
"$BUILD/bench/tavri_decoder_limits_bench" orientation "$ORIENTATION_ROUNDS" || status=1
exit $status
