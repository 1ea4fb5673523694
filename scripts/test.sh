#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
# The shipped Windows module and its scenario runner first: the native tests check them.
cmake --preset windows
cmake --build --preset windows
cmake --preset default
cmake --build --preset default
ctest --preset default
