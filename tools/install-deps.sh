#!/bin/sh
# Installs the Debian packages the build, the run command and the tests use,
# and the npm packages of the workflow check at the versions its lock file
# pins. Idempotent: does nothing when every package is already there.
set -eu
cd "$(dirname "$0")/.."

PACKAGES="cmake make g++ clang clang-format libclang-rt-14-dev
mingw-w64 g++-mingw-w64-x86-64-posix
wine wine64 xvfb x11-apps imagemagick xauth trayer xdotool
libstb-dev googletest fonts-firacode zip unzip nodejs"

missing=""
for p in $PACKAGES; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing="$missing $p"
    fi
done
# Some builds of nodejs carry npm; Debian's comes apart.
command -v npm >/dev/null 2>&1 || missing="$missing npm"

if [ -n "$missing" ]; then
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
fi

# The copy of the lock file beside the packages says which ones are there.
NPM_DIR=tools/workflow-check
if ! cmp -s "$NPM_DIR/package-lock.json" "$NPM_DIR/node_modules/.installed-lock.json"; then
    echo "install-deps: installing the npm packages of $NPM_DIR"
    npm ci --prefix "$NPM_DIR" --no-audit --no-fund --loglevel=error
    cp "$NPM_DIR/package-lock.json" "$NPM_DIR/node_modules/.installed-lock.json"
fi
