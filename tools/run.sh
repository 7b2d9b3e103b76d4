#!/bin/sh
# Installs what is missing, builds the program and what it needs at run time
# (its translations), and starts it (arguments go to the program). The tests
# are left to tools/test.sh.
set -eu
cd "$(dirname "$0")/.."
tools/deps.sh
KV_TARGETS=KvOrbit310 tools/build.sh
exec build/src/app/KvOrbit310 "$@"
