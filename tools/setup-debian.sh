#!/bin/sh
# Installs the Debian packages the build needs, when some are missing.
#   tools/setup-debian.sh             what building and testing need
#   tools/setup-debian.sh --map-tools  also what tools/make-district-maps.py needs to make the maps' data again
#   tools/setup-debian.sh --desktop-tools  also a virtual desktop, a screenshot tool and xdotool, to look at
#                                          and type through the windows by hand (xvfb-run, import -window root)
#   tools/setup-debian.sh --package-tools  also lintian, to check the package that "make package" builds
set -eu
packages="g++ cmake make python3 qt6-base-dev qt6-multimedia-dev qt6-svg-dev libgl-dev libsqlite3-dev fonts-liberation2 qt6-charts-dev dpkg-dev desktop-file-utils appstream poppler-utils"
if [ "${1:-}" = "--map-tools" ]; then
    packages="$packages gmt gmt-dcw"
    # npm comes with a Node.js installation; Debian's own npm package conflicts with other ones.
    command -v npm >/dev/null 2>&1 || packages="$packages npm"
fi
if [ "${1:-}" = "--desktop-tools" ]; then
    packages="$packages xvfb xauth imagemagick xdotool"
fi
if [ "${1:-}" = "--package-tools" ]; then
    packages="$packages lintian"
fi

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
