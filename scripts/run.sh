#!/usr/bin/env bash
# Builds the program and starts it (needs a display).
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build/release --target tieba-search -j "$(nproc)"
exec build/release/app/tieba-search
