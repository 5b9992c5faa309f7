#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Renders the PNG sizes of both icons from their SVG drawings. The PNGs are
# kept in the repository, so building needs no SVG renderer; run this after
# changing a drawing. CONVERT names ImageMagick's convert (default: convert).
set -euo pipefail
cd "$(dirname "$0")/hicolor"
convert=${CONVERT:-convert}
for size in 16 24 32 48 64 128 256; do
  for svg in scalable/apps/tavrimolex.svg scalable/mimetypes/application-x-tavrimolex-album.svg; do
    context=$(basename "$(dirname "$svg")")
    mkdir -p "${size}x${size}/$context"
    # A density of 96 dpi per 64 pixels renders the 64-unit drawing at the size asked.
    "$convert" -background none -density $((96 * size / 64)) "$svg" \
      -resize "${size}x${size}" -strip "PNG32:${size}x${size}/$context/$(basename "$svg" .svg).png"
  done
done
