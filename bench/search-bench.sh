#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# The photo search on a generated album of 100,000 photos (300 objects, 60
# events, descriptions of up to 8 words, an empty file for every photo),
# against the engine as first written, in one run. Prints each criterion's
# time, the ratio to the reference and the goal ratio; exits non-zero when a
# goal is missed or the results differ.
#
#   bench/search-bench.sh                 # 100,000 photos, 9 rounds
#   PHOTOS=20000 ROUNDS=15 bench/search-bench.sh
#
# BUILD names the build folder (default build/).
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD=${BUILD:-build}
PHOTOS=${PHOTOS:-100000}
ROUNDS=${ROUNDS:-9}

. bench/lib.sh
build_targets "$BUILD" tavri_search_bench

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$BUILD/bench/tavri_search_bench" "$PHOTOS" "$work" "$ROUNDS"
