#!/usr/bin/env bash
# Installs the build into an empty staged root, as a package build does.
#   stage_install.sh BUILD_DIR ROOT PREFIX
set -euo pipefail
build=$1 root=$2 prefix=$3
rm -rf "$root"
mkdir -p "$root"
DESTDIR="$root" cmake --install "$build" --prefix "$prefix"
