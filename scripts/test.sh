#!/usr/bin/env bash
# Sets up, builds and runs every test: the fuzz targets for a bounded time on
# their own clang build, the test of documents converting on threads at once
# on its own ThreadSanitizer build, then the whole GoogleTest suite through
# CTest.
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

# The test of documents converting on threads at once, under ThreadSanitizer,
# in a build of its own that holds only the floors it uses.
werror=OFF
if [ "${CI:-}" = "true" ]; then werror=ON; fi
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=g++ -DNUVEL_TSAN=ON -DNUVEL_GUI=OFF -DNUVEL_BENCH=OFF \
  -DNUVEL_WERROR=$werror >/dev/null
cmake --build build-tsan -j "$jobs" --target conversion_threads_test
ctest --test-dir build-tsan --output-on-failure -j "$jobs"

scripts/configure.sh
cmake --build build -j "$jobs"
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j "$jobs"
