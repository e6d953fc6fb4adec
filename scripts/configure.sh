#!/usr/bin/env bash
# Configures the main build tree (build/) once; later calls only rebuild.
set -euo pipefail
cd "$(dirname "$0")/.."
werror=OFF
if [ "${CI:-}" = "true" ]; then werror=ON; fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=g++ -DNUVEL_WERROR=$werror >/dev/null
