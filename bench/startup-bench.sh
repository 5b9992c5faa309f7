#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Start-up to an idle main window, and opening a large album on top of it,
# through the program's own main window on a real X server (Xvfb), against a
# plain Qt main window started the same way as the reference.
#
#   bench/startup-bench.sh              # album of 100,000 photos, best of 5
#   PHOTOS=20000 ROUNDS=3 bench/startup-bench.sh
#
# Goals: the main window idle within 0.4 s of start; the album open within
# 0.5 s on top of that. BUILD names the build folder (default build/).
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD=${BUILD:-build}
PHOTOS=${PHOTOS:-100000}
ROUNDS=${ROUNDS:-5}

. bench/lib.sh
need_command xvfb-run xvfb
need_command xauth xauth
build_targets "$BUILD" tavri_startup_bench
bench="$BUILD/bench/tavri_startup_bench"
bench=$(realpath "$bench")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/program" "$work/xdg"
# A program started before, in English, with its help file.
printf '[Languange]\r\nSelected=1\r\nLanguageID=0\r\n' >"$work/program/tavrimolex.Ini"
cp resources/help.rtf "$work/program/"
echo "Making an album of $PHOTOS photos in $work ..."
QT_QPA_PLATFORM=offscreen "$bench" generate "$work/albums/big.tvx" "$PHOTOS"

cat >"$work/run.sh" <<RUN
#!/usr/bin/env bash
export XDG_DATA_HOME="$work/xdg/data" XDG_CONFIG_HOME="$work/xdg/config"
for _ in \$(seq $ROUNDS); do
  "$bench" bare "$work/program"
  "$bench" start "$work/program"
  "$bench" open "$work/program" "$work/albums/big.tvx" | sed -n 's/^open/album/p'
done 2>/dev/null
RUN
chmod +x "$work/run.sh"
xvfb-run -a -s "-screen 0 1280x1024x24" "$work/run.sh" >"$work/times"
[ -z "${VERBOSE:-}" ] || cat "$work/times"

# Lines come as: idle (bare), idle (start), album.
awk -v n="$PHOTOS" '
  /^idle/ { k = (i++ % 2); t = $2; if (k == 0) b = (b == "" || t < b) ? t : b;
            else s = (s == "" || t < s) ? t : s }
  /^album/ { t = $2; a = (a == "" || t < a) ? t : a }
  END {
    printf "plain Qt window idle     %7.1f ms\n", b
    printf "main window idle         %7.1f ms   (goal 400 ms; %.1f x the plain window)\n", s, s / b
    printf "album of %d photos open %7.1f ms   (goal 500 ms on top of start-up)\n", n, a
  }' "$work/times"
