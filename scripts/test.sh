#!/usr/bin/env bash
# Sets up, builds and runs every test: the fuzz targets for a bounded time on
# their own clang build, then the whole GoogleTest suite through CTest.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
jobs=${NUVEL_JOBS:-$(nproc)}

if ls tests/fuzz/*_fuzz.cpp >/dev/null 2>&1; then
  werror=OFF
  if [ "${CI:-}" = "true" ]; then werror=ON; fi
  cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_CXX_COMPILER=clang++ \
    -DNUVEL_FUZZ=ON -DNUVEL_GUI=OFF -DNUVEL_WERROR=$werror >/dev/null
  cmake --build build-fuzz -j "$jobs"
  ctest --test-dir build-fuzz --output-on-failure -j "$jobs"
fi

scripts/configure.sh
cmake --build build -j "$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j "$jobs"
