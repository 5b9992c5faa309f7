#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# The thumbnail window on an album of 10,000 thumbnails of 100x75: time from
# opening to the first paint, and scrolling from the top to the bottom.
#
#   bench/thumbnail-window-bench.sh             # 10000 thumbnails, 100x75
#   COUNT=50000 SIZE=160x120 bench/thumbnail-window-bench.sh
#
# BUILD names the build folder (default build/).
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD=${BUILD:-build}
COUNT=${COUNT:-10000}
SIZE=${SIZE:-100x75}

. bench/lib.sh
build_targets "$BUILD" tavri_thumbnail_window_bench
QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} "$BUILD/bench/tavri_thumbnail_window_bench" "$COUNT" "${SIZE%x*}" "${SIZE#*x}"
