#!/usr/bin/env bash
# Runs quibmesh on the built-in sample and leaves before and after pictures, the result as
# SVG and JSON, and, when Inkscape is installed, Inkscape's own rendering of that SVG.
# Usage: tool/demo.sh [FOLDER]   (default: demo/; the build must have been made)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="${1:-demo}"
tool="${QUIBMESH:-$root/build/default/tool/quibmesh}"
if [ ! -x "$tool" ]; then
  echo "demo: $tool not found; build first: cmake --preset default && cmake --build --preset default" >&2
  exit 1
fi
mkdir -p "$out"
"$tool" run --preset "Wave jitter" --seed 7 --dpi 144 \
  --before "$out/before.png" -o "$out/after.png" -o "$out/after.svg" -o "$out/after.json"
if command -v inkscape >/dev/null; then
  home="$(mktemp -d)"
  HOME="$home" inkscape "$out/after.svg" --export-type=png --export-dpi=144 \
    --export-background=white --export-background-opacity=1 \
    --export-filename="$out/after-inkscape.png" 2>/dev/null
  rm -rf "$home"
  echo "demo: Inkscape rendered $out/after.svg as $out/after-inkscape.png"
fi
echo "demo: see $out/before.png and $out/after.png"
