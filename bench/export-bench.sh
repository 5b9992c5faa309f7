#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# The pictures of a web site through the program's own generators: a framed
# site and a photo-by-photo site of 12-megapixel photos (580x360 web photos,
# 100x75 thumbnails, JPEG quality 80), each on every core and on one thread,
# against two vipsthumbnail passes at their default concurrency that make
# the same two sizes.
#
#   bench/export-bench.sh               # 40 photos, best of 3
#   PHOTOS=20 ROUNDS=5 bench/export-bench.sh
#
# Goal, on an 8-core machine: each site on every core in at most 0.6x the
# time of the two vipsthumbnail passes. BUILD names the build folder
# (default build/); it is configured and built when the programs are missing.
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD=${BUILD:-build}
PHOTOS=${PHOTOS:-40}
ROUNDS=${ROUNDS:-3}

. bench/lib.sh
need_command vipsthumbnail libvips-tools

maker="$BUILD/bench/tavri_thumbnail_bench"
bench="$BUILD/bench/tavri_export_bench"
build_targets "$BUILD" tavri_export_bench tavri_thumbnail_bench

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "Making $PHOTOS JPEGs of 4000x3000 in $work ..."
"$maker" generate "$work/photos" "$PHOTOS" 0
photos=("$work"/photos/*.jpg)
cat "${photos[@]}" >/dev/null # every side reads from the page cache

site() { timed "$bench" "$1" "$2" "$work/ours" "${photos[@]}"; }
framed_all() { site framed 0; }
framed_one() { site framed 1; }
simple_all() { site simple 0; }
simple_one() { site simple 1; }
mkdir -p "$work/vips-photos" "$work/vips-thumbs"
vips() {
  local start end
  start=$(now)
  vipsthumbnail --size 580x360 -o "$work/vips-photos/%s.jpg[Q=80]" "${photos[@]}" >/dev/null
  vipsthumbnail --size 100x75 --smartcrop centre -o "$work/vips-thumbs/%s.jpg[Q=80]" "${photos[@]}" >/dev/null
  end=$(now)
  awk "BEGIN{printf \"%.6f\n\", $end - $start}"
}

echo "load average before the runs: $(cut -d' ' -f1-3 /proc/loadavg)"
t_vips=$(best vips)
t_framed_all=$(best framed_all)
t_simple_all=$(best simple_all)
t_framed_one=$(best framed_one)
t_simple_one=$(best simple_one)
echo "load average after the runs: $(cut -d' ' -f1-3 /proc/loadavg)"
awk -v n="${#photos[@]}" -v c="$(nproc)" -v v="$t_vips" -v fa="$t_framed_all" -v sa="$t_simple_all" \
  -v fo="$t_framed_one" -v so="$t_simple_one" 'BEGIN {
  printf "Web sites of %d photos of 4000x3000, %d cores:\n", n, c
  printf "  two vipsthumbnail passes, default threads  %7.3f s\n", v
  printf "  framed site, every core                    %7.3f s   ratio %.2f (goal <= 0.60)\n", fa, fa / v
  printf "  photo-by-photo site, every core            %7.3f s   ratio %.2f (goal <= 0.60)\n", sa, sa / v
  printf "  framed site, one thread                    %7.3f s   ratio %.2f, speed-up on every core %.2fx\n", fo, fo / v, fo / fa
  printf "  photo-by-photo site, one thread            %7.3f s   ratio %.2f, speed-up on every core %.2fx\n", so, so / v, so / sa
}'
