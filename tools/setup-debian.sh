#!/bin/sh
# Installs the Debian packages the build needs, when some are missing.
set -eu
packages="g++ cmake make qt6-base-dev qt6-multimedia-dev qt6-svg-dev libgl-dev libsqlite3-dev fonts-liberation2 qt6-charts-dev dpkg-dev desktop-file-utils appstream poppler-utils"

missing=""
for package in $packages; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $package"
    fi
done
[ -z "$missing" ] && exit 0

echo "Installing:$missing"
if [ "$(id -u)" -eq 0 ]; then
    as_root=""
elif command -v sudo >/dev/null 2>&1; then
    as_root="sudo"
else
    echo "These Debian packages are missing:$missing" >&2
    echo "Install them as root (apt-get install$missing) and run make again." >&2
    exit 1
fi
export DEBIAN_FRONTEND=noninteractive
# shellcheck disable=SC2086
$as_root apt-get install -y -q $missing \
    || { $as_root apt-get update -q && $as_root apt-get install -y -q $missing; }
