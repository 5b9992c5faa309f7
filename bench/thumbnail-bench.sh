#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Thumbnail building through the program's own code (LoadImageFileForBox,
# MakeThumbnail, SaveJpegFile) against libvips' vipsthumbnail on the same
# 12-megapixel photos and the same box, single-threaded, in one run. Then the
# thumbnail cache itself (CreateThumbnails) on one thread and on every core,
# against vipsthumbnail at its default concurrency and vipsthumbnail spread
# over every core with xargs -P.
#
#   bench/thumbnail-bench.sh            # 20 JPEGs and 3 PNGs, box 160x120
#   JPEGS=40 PNGS=0 BOX=100x75 bench/thumbnail-bench.sh
#
# Goals of the all-cores run, on an 8-core machine: at least 5x faster than
# our one-thread run, at most 0.4x the time of vipsthumbnail at its default
# concurrency, and no slower than vipsthumbnail spread with xargs -P.
#
# BUILD names the build folder (default build/); it is configured and built
# when the benchmark program is missing.
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD=${BUILD:-build}
JPEGS=${JPEGS:-20}
PNGS=${PNGS:-3}
BOX=${BOX:-160x120}
ROUNDS=${ROUNDS:-3}
BOX_W=${BOX%x*}
BOX_H=${BOX#*x}

. bench/lib.sh
need_command vipsthumbnail libvips-tools

bench="$BUILD/bench/tavri_thumbnail_bench"
build_targets "$BUILD" tavri_thumbnail_bench
# The benchmark finds the decoder process (FreeImage's PNGs) beside the program.
export TAVRI_BIN_DIR="$PWD/$BUILD/bin"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
echo "Making $JPEGS JPEGs and $PNGS PNGs of 4000x3000 in $work ..."
"$bench" generate "$work/photos" "$JPEGS" "$PNGS"
mapfile -t photos < <(ls "$work"/photos/*)
jpegs=("$work"/photos/*.jpg)
cat "${photos[@]}" >/dev/null # both sides read from the page cache

ours() { timed "$bench" thumbs "$work/ours" "$BOX_W" "$BOX_H" "$@"; }
ours_full() { timed "$bench" full "$work/full" "$BOX_W" "$BOX_H" "$@"; }
vips() {
  timed env VIPS_CONCURRENCY=1 vipsthumbnail --size "${BOX_W}x${BOX_H}" --smartcrop centre \
    -o "$work/vips/%s.jpg[Q=90]" "$@"
}
mkdir -p "$work/vips"

report() {
  local label=$1 count=$2 ours=$3 full=$4 vips=$5
  awk -v l="$label" -v n="$count" -v o="$ours" -v f="$full" -v v="$vips" 'BEGIN {
    printf "%s (%d photos, box %s):\n", l, n, "'"$BOX"'"
    printf "  vipsthumbnail      %8.1f ms per photo\n", v * 1000 / n
    printf "  ours (box decode)  %8.1f ms per photo   ratio %.2f\n", o * 1000 / n, o / v
    printf "  ours (full decode) %8.1f ms per photo   ratio %.2f\n", f * 1000 / n, f / v
  }'
}

t_ours=$(best ours "${jpegs[@]}")
t_full=$(best ours_full "${jpegs[@]}")
t_vips=$(best vips "${jpegs[@]}")
report "JPEG" "${#jpegs[@]}" "$t_ours" "$t_full" "$t_vips"

if [ "${#photos[@]}" -gt "${#jpegs[@]}" ]; then
  t_ours_all=$(best ours "${photos[@]}")
  t_full_all=$(best ours_full "${photos[@]}")
  t_vips_all=$(best vips "${photos[@]}")
  report "JPEG and PNG" "${#photos[@]}" "$t_ours_all" "$t_full_all" "$t_vips_all"
  # The PNGs' share: both runs above differ only by them.
  awk -v n="$((${#photos[@]} - ${#jpegs[@]}))" -v oa="$t_ours_all" -v oj="$t_ours" \
    -v va="$t_vips_all" -v vj="$t_vips" 'BEGIN {
    o = (oa - oj) / n; v = (va - vj) / n
    printf "PNG alone (%d photos, derived): vipsthumbnail %.1f ms, ours %.1f ms per photo, ratio %.2f\n",
      n, v * 1000, o * 1000, o / v
  }'
fi
awk -v o="$t_ours" -v v="$t_vips" 'BEGIN { printf "ratio (JPEG, ours / vipsthumbnail): %.2f\n", o / v }'

# Every core: the thumbnail cache as the Photos tab builds it.
cores=$(nproc)
album() { timed "$bench" album "$1" "$work/album" "$BOX_W" "$BOX_H" "${jpegs[@]}"; }
album_one() { album 1; }
album_all() { album 0; }
vips_default() {
  timed vipsthumbnail --size "${BOX_W}x${BOX_H}" --smartcrop centre -o "$work/vips/%s.jpg[Q=90]" "${jpegs[@]}"
}
per_process=$(((${#jpegs[@]} + cores - 1) / cores))
vips_xargs() {
  timed sh -c 'p=$0 n=$1 size=$2 out=$3; shift 3
    printf "%s\0" "$@" | VIPS_CONCURRENCY=1 xargs -0 -P "$p" -n "$n" vipsthumbnail \
      --size "$size" --smartcrop centre -o "$out/vips/%s.jpg[Q=90]"' \
    "$cores" "$per_process" "${BOX_W}x${BOX_H}" "$work" "${jpegs[@]}"
}
echo "load average before the all-cores runs: $(cut -d' ' -f1-3 /proc/loadavg)"
t_one=$(best album_one)
t_all=$(best album_all)
t_vips_default=$(best vips_default)
t_vips_xargs=$(best vips_xargs)
awk -v n="${#jpegs[@]}" -v c="$cores" -v one="$t_one" -v all="$t_all" -v vd="$t_vips_default" \
  -v vx="$t_vips_xargs" 'BEGIN {
  printf "Thumbnail cache, %d JPEGs, box %s, %d cores:\n", n, "'"$BOX"'", c
  printf "  ours, one thread                 %7.3f s\n", one
  printf "  ours, every core                 %7.3f s   speed-up %.2fx (goal >= 5)\n", all, one / all
  printf "  vipsthumbnail, default threads   %7.3f s   ratio %.2f (goal <= 0.40)\n", vd, all / vd
  printf "  vipsthumbnail, xargs -P %-2d       %7.3f s   ratio %.2f (goal <= 1.00)\n", c, vx, all / vx
}'
