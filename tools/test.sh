#!/bin/sh
# Installs what is missing, builds, and runs every test.
set -eu
cd "$(dirname "$0")/.."
tools/deps.sh
tools/build.sh -DKV_BUILD_TESTS=ON
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --parallel "${KV_JOBS:-$(nproc)}"
