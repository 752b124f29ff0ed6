#!/usr/bin/env bash
# Tries the program without the network: starts the fake forum on 127.0.0.1, builds the program
# against it and starts it (needs a display). Closing the window stops the fake forum too.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh
build=build/demo
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target fake-forum-server -j "$(nproc)"

log=$(mktemp)
"$build/tests/fake_forum/fake-forum-server" 10 12 >"$log" &
server=$!
trap 'kill "$server" 2>/dev/null; rm -f "$log"' EXIT
for _ in $(seq 50); do
  grep -q '^port ' "$log" && break
  sleep 0.1
done
port=$(sed -n 's/^port //p' "$log")
echo "fake forum listening on 127.0.0.1:$port"

cmake -S . -B "$build" -DFORUM_HOST="127.0.0.1:$port" >/dev/null
cmake --build "$build" --target tieba-search -j "$(nproc)"
"$build/app/tieba-search"
