#!/usr/bin/env bash
# Renders the PNG sizes of the hicolor theme from the SVG (needs rsvg-convert, Debian
# package librsvg2-bin). The PNGs are kept in the repository, so building needs neither.
set -euo pipefail
cd "$(dirname "$0")"
for s in 16 32 48 64 128 256; do
    mkdir -p "hicolor/${s}x${s}"
    rsvg-convert -w "$s" -h "$s" com.vexo.ControlTool.svg -o "hicolor/${s}x${s}/com.vexo.ControlTool.png"
done
