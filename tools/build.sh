#!/bin/sh
# Configures and builds into build/ (extra arguments go to cmake's configure step).
set -eu
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
cmake --build build --parallel "${KV_JOBS:-$(nproc)}"
