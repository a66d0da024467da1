#!/usr/bin/env bash
# Installs the Debian packages Lineara needs to build, test and run.
# apt-get update runs only when something is missing, so a machine that
# already has everything is not slowed down or made to touch the network.
set -euo pipefail

PACKAGES=(
  cmake g++ make pkg-config clang-format
  qt6-base-dev qt6-qpa-plugins libgl-dev
  # Qt SVG draws the tree's SVG picture in the tests (the program writes
  # SVG itself and does not need it).
  qt6-svg-dev
  # The translations: lupdate and lrelease, CMake's rules for them, and
  # Qt's own translations of its dialogs.
  qt6-tools-dev qt6-l10n-tools qt6-translations-l10n
  libgif-dev libjpeg-dev libimagequant-dev libzip-dev
  fonts-liberation2
  libgtest-dev libgmock-dev libbenchmark-dev
  # The PNG icons are drawn from the SVG at build time; the install tests
  # validate the desktop files; the package is made by CPack.
  librsvg2-bin desktop-file-utils appstream libxml2-utils shared-mime-info man-db
  dpkg-dev file
  # The PDF picture is read back by the tests with pdftoppm and pdftotext.
  poppler-utils
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing missing packages: ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then
  SUDO="sudo"
fi
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -q
$SUDO apt-get install -y -q --no-install-recommends "${missing[@]}"
