#!/usr/bin/env bash
# Installs what is missing, builds and runs the benchmark: in a window when
# there is a display, otherwise headless with the report on the terminal.
# Extra arguments go to the headless runner (e.g. --runs 10 --json).
set -euo pipefail
cd "$(dirname "$0")/.."

tools/install-deps.sh

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target telvane telvane-bench

if [[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" && $# -eq 0 ]]; then
  exec build/app/telvane-bench --window
fi
exec build/app/telvane-bench "$@"
