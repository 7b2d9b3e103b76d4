#!/bin/sh
# Installs what is missing, builds, and starts the program (arguments go to the program).
set -eu
cd "$(dirname "$0")/.."
tools/deps.sh
tools/build.sh
exec build/src/app/KvOrbit310 "$@"
