#!/bin/sh
# Configures and builds into build/ (extra arguments go to cmake's configure
# step). KV_TARGETS names the targets to build (all when unset).
set -eu
cd "$(dirname "$0")/.."
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
# shellcheck disable=SC2086 # several targets are several words
cmake --build build --parallel "${KV_JOBS:-$(nproc)}" ${KV_TARGETS:+--target $KV_TARGETS}
