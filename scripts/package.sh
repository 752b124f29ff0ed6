#!/usr/bin/env bash
# Builds the Debian package tieba-search_<version>_<arch>.deb from the install rules and prints
# its path. Usage: bash scripts/package.sh [build folder]   (default build/package)
# The folder is configured for the /usr prefix, as the program looks for its skin library in the
# directory it was built for; a new folder is configured without the tests.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
build=${1:-build/package}

options=(-G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr
  -U TIEBA_SKIN_LIBRARY_DIR)
if [[ ! -f "$build/CMakeCache.txt" ]]; then
  options+=(-DTIEBA_BUILD_TESTS=OFF)
fi
cmake -S . -B "$build" "${options[@]}" >/dev/null
cmake --build "$build" -j "$(nproc)"

rm -f "$build"/tieba-search_*.deb
log="$build/cpack.log"
if ! (cd "$build" && cpack -G DEB) >"$log" 2>&1; then
  cat "$log" >&2
  exit 1
fi
deb=$(ls "$build"/tieba-search_*.deb)
echo "$deb"
