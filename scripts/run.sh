#!/usr/bin/env bash
# Sets up, builds and starts the editor from its program folder in the build tree.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/configure.sh
cmake --build build --target nuvel
exec build/program/nuvel "$@"
