#!/usr/bin/env bash
# The main job on a fresh machine: installs what is missing, builds, and runs quibmesh on
# its built-in sample. Leaves demo/before.png, demo/after.png, demo/after.svg (which
# Inkscape renders as demo/after-inkscape.png) and demo/after.json.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
cmake --preset default >/dev/null
cmake --build --preset default --target quibmesh
bash tool/demo.sh "${1:-demo}"
