#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Start-up with a large settings file, through the program's own main window
# on a real X server (Xvfb), against a plain Qt main window started the same
# way. The list of generated sites grows by a line with every export, and a
# damaged file can hold anything: each size is tried as a site list of that
# many lines (the window reads and lists them all) and as one section of
# keys the program never reads, mixed case and duplicates among them. The
# settings file alone is timed too: read, the site list looked up key by key,
# and written back as after an export.
#
#   bench/settings-bench.sh                  # 20,000, 50,000 and 200,000 keys, best of 3
#   KEYS="1000 200000" ROUNDS=1 bench/settings-bench.sh
#
# Goal: 200,000 keys start within about a second. BUILD names the build
# folder (default build/).
set -euo pipefail
cd "$(dirname "$0")/.."

BUILD=${BUILD:-build}
KEYS=${KEYS:-20000 50000 200000}
ROUNDS=${ROUNDS:-3}

. bench/lib.sh
need_command xvfb-run xvfb
need_command xauth xauth
build_targets "$BUILD" tavri_startup_bench
bench=$(realpath "$BUILD/bench/tavri_startup_bench")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/plain" "$work/xdg"
printf '[Languange]\r\nSelected=1\r\nLanguageID=0\r\n' >"$work/plain/tavrimolex.Ini"
cp resources/help.rtf "$work/plain/"
folders=(plain)
for keys in $KEYS; do
  for kind in sites junk; do
    mkdir -p "$work/$kind-$keys"
    cp resources/help.rtf "$work/$kind-$keys/"
    QT_QPA_PLATFORM=offscreen "$bench" settings-file "$work/$kind-$keys/tavrimolex.Ini" "$keys" "$kind"
    folders+=("$kind-$keys")
  done
done

cat >"$work/run.sh" <<RUN
#!/usr/bin/env bash
export XDG_DATA_HOME="$work/xdg/data" XDG_CONFIG_HOME="$work/xdg/config"
for _ in \$(seq $ROUNDS); do
  "$bench" bare "$work/plain" | sed 's/^/bare /'
  for folder in ${folders[*]}; do
    "$bench" start "$work/\$folder" | sed "s/^/\$folder /"
  done
done 2>/dev/null
RUN
chmod +x "$work/run.sh"
xvfb-run -a -s "-screen 0 1280x1024x24" "$work/run.sh" >"$work/times"
[ -z "${VERBOSE:-}" ] || cat "$work/times"

for folder in "${folders[@]:1}"; do
  for _ in $(seq "$ROUNDS"); do
    cp "$work/$folder/tavrimolex.Ini" "$work/settings.Ini"
    QT_QPA_PLATFORM=offscreen "$bench" settings "$work/settings.Ini" 2>/dev/null | sed "s/^/$folder /"
  done
done >>"$work/times"

# Lines come as "<folder> idle <ms> ms" and "<folder> settings read <ms> ms, lookup <ms> ms, write <ms> ms".
awk '
  $2 == "idle" { t = $3; if (!($1 in idle) || t < idle[$1]) idle[$1] = t }
  $2 == "settings" { r = $4; l = $7; w = $10
                     if (!($1 in rd) || r < rd[$1]) rd[$1] = r
                     if (!($1 in lk) || l < lk[$1]) lk[$1] = l
                     if (!($1 in wr) || w < wr[$1]) wr[$1] = w }
  END {
    printf "plain Qt window idle                 %8.1f ms\n", idle["bare"]
    printf "main window idle, short settings     %8.1f ms   (%.1f x the plain window)\n", idle["plain"], idle["plain"] / idle["bare"]
    n = split("'"$KEYS"'", sizes, " ")
    for (i = 1; i <= n; ++i) for (k = 1; k <= 2; ++k) {
      kind = (k == 1) ? "sites" : "junk"; f = kind "-" sizes[i]
      label = (k == 1) ? "site list of" : "damaged,    "
      printf "%s %7d keys: idle %8.1f ms   (%.1f x the plain window); file alone: read %.1f ms",
        label, sizes[i], idle[f], idle[f] / idle["bare"], rd[f]
      if (k == 1) printf ", lookup %.1f ms, write %.1f ms", lk[f], wr[f]
      printf "\n"
    }
  }' "$work/times"
