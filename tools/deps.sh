#!/bin/sh
# Installs the Debian packages the build and the program need, only those that are missing.
set -eu
need=""
for p in cmake ninja-build g++ pkg-config ccache qt6-base-dev qt6-tools-dev qt6-tools-dev-tools \
         qt6-l10n-tools qt6-translations-l10n libusb-1.0-0-dev libdeflate-dev libgl-dev "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || need="$need $p"
done
if [ -n "$need" ]; then
    echo "Installing:$need"
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $need >/dev/null
fi
