#!/usr/bin/env bash
# Builds everything and runs every test: the format check, the full build with its tests under
# a headless Qt, then the Qt-free libraries again under AddressSanitizer and UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
bash scripts/check-format.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/release -j "$jobs"
ctest --test-dir build/release --output-on-failure -j "$jobs"
bash scripts/check-package.sh build/release

cmake -S . -B build/sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTIEBA_SANITIZE=ON -DTIEBA_WITH_GUI=OFF
cmake --build build/sanitize -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build/sanitize --output-on-failure -j "$jobs"

# Every fuzz target for a few seconds from its seed corpus (clang, ASan, UBSan); scripts/fuzz.sh
# with no arguments runs them long.
bash scripts/fuzz.sh 4 build/fuzz 1
