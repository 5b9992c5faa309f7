#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Installs the build into a temporary tree the way a package is made (DESTDIR,
# prefix /usr) and checks the tree: every file in its place, the desktop entry,
# the AppStream metadata and the manual page accepted by their checkers. Then
# starts the installed program where the tree lies, not where it was meant to
# go, with a fresh home, and checks that it came up, kept its settings in the
# home and wrote nothing into the tree, nor registered itself for the user
# beside the packaged registration.
#
#   installed-program.sh BUILD_FOLDER VERSION
set -euo pipefail
build=$1
version=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

DESTDIR="$work/stage" cmake --install "$build" --prefix /usr >/dev/null
prefix="$work/stage/usr"

nviewlib=$(find "$prefix" -name libNViewLib.so)
private=$(dirname "$nviewlib")
[ "$(basename "$private")" = tavrimolex ] || fail "libNViewLib.so not in a private folder: $nviewlib"
for file in bin/tavrimolex share/tavrimolex/help.rtf share/tavrimolex/help_dutch.rtf \
  share/applications/tavrimolex.desktop share/mime/packages/tavrimolex.xml share/man/man1/tavrimolex.1 \
  share/icons/hicolor/scalable/apps/tavrimolex.svg \
  share/icons/hicolor/scalable/mimetypes/application-x-tavrimolex-album.svg; do
  [ -f "$prefix/$file" ] || fail "missing $file"
done
[ -x "$private/tavrimolex-decoder" ] || fail "tavrimolex-decoder not beside libNViewLib.so"
for size in 16 24 32 48 64 128 256; do
  for icon in apps/tavrimolex.png mimetypes/application-x-tavrimolex-album.png; do
    [ -f "$prefix/share/icons/hicolor/${size}x${size}/$icon" ] || fail "missing ${size}x${size}/$icon"
  done
done
[ "$(find "$prefix/bin" -type f | wc -l)" = 1 ] || fail "more than the program in bin/"

# The checkers' hints and pedantic notes count too: a distribution's own
# checks raise them.
desktop-file-validate "$prefix/share/applications/tavrimolex.desktop" >"$work/desktop" 2>&1 \
  && [ ! -s "$work/desktop" ] || { cat "$work/desktop" >&2; fail "desktop entry"; }
# The whole tree, so that the metadata is checked with its desktop entry and icons.
appstreamcli validate-tree --pedantic --no-net "$work/stage" >"$work/appstream" 2>&1 \
  && ! grep -qE '^ *[EWIP]: ' "$work/appstream" || { cat "$work/appstream" >&2; fail "AppStream metadata"; }
grep -q "<release version=\"$version\"" "$prefix"/share/metainfo/*.metainfo.xml \
  || fail "no release $version in the AppStream metadata"
groff -man -z -ww "$prefix/share/man/man1/tavrimolex.1" 2>"$work/man"
[ ! -s "$work/man" ] || { cat "$work/man" >&2; fail "manual page"; }

tree() { (cd "$work/stage" && find . -printf '%p %s %T@ %m\n' | sort); }
before=$(tree)
# The packaged entry is found in the system's data folders, as a package
# manager's install would put it there.
mkdir "$work/home"
status=0
env -i PATH="$PATH" HOME="$work/home" QT_QPA_PLATFORM=offscreen TAVRIMOLEX_QUIT_WHEN_SHOWN=1 \
  XDG_DATA_DIRS="$prefix/share:/usr/share" timeout 120 "$prefix/bin/tavrimolex" 2>"$work/err" || status=$?
[ "$status" = 0 ] || { cat "$work/err" >&2; fail "the program ended with $status"; }
# A fresh home asks for the language and nothing else.
asked=$(grep '^closed: ' "$work/err" || true)
[ "$asked" = "closed: Tavrimolex 2005 - Select your language" ] || fail "windows on the way: $asked"
grep -q '^\[Languange\]' "$work/home/.config/tavrimolex/tavrimolex.Ini" || fail "no settings in the home"
# The package's MIME type and desktop entry are the registration: nothing of it
# in the home, where it would outlive the package.
registration=$(cd "$work/home" && find .local/share .config \( -name '*mimeapps.list' -o -name 'tavrimolex.desktop' \
  -o -path '*/mime/*' -o -path '*/icons/*' \) 2>/dev/null || true)
[ -z "$registration" ] || fail "registered for the user beside the package: $registration"
[ "$(tree)" = "$before" ] || { diff <(echo "$before") <(tree) >&2; fail "the program wrote into the installed tree"; }
echo "installed tree and program: ok"
