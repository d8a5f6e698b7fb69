#!/bin/sh
# Installs the Debian packages the build, the run command and the tests use.
# Idempotent: does nothing when every package is already there.
set -eu

PACKAGES="cmake make g++ clang clang-format libclang-rt-14-dev
mingw-w64 g++-mingw-w64-x86-64-posix
wine wine64 xvfb x11-apps imagemagick xauth trayer xdotool
libstb-dev googletest fonts-firacode zip unzip"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
[ -z "$missing" ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "install-deps: installing$missing"
export DEBIAN_FRONTEND=noninteractive
# A fresh machine has no package lists yet; an old list may name files long gone.
if [ -z "$(ls -A /var/lib/apt/lists 2>/dev/null | grep -v -e lock -e partial)" ] \
   || [ -n "$(find /var/lib/apt/lists -maxdepth 1 -name '*Packages*' -mmin +1440 2>/dev/null | head -1)" ]; then
    $SUDO apt-get update -q
fi
# shellcheck disable=SC2086
$SUDO apt-get install -y -q --no-install-recommends $missing || {
    $SUDO apt-get update -q
    $SUDO apt-get install -y -q --no-install-recommends $missing
}
