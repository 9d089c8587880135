#!/usr/bin/env bash
# Installs every Debian package that building, testing and running TitraLab needs.
# Does nothing when they are all present.
set -euo pipefail
packages=(
  cmake g++ make ninja-build pkg-config ccache
  qt6-base-dev qt6-charts-dev qt6-svg-dev libqt6opengl6-dev libgl-dev qt6-qpa-plugins
  qt6-translations-l10n qt6-tools-dev qt6-l10n-tools
  libjpeg-dev libeigen3-dev nlohmann-json3-dev libxlsxwriter-dev libssl-dev unzip libgtest-dev libgmock-dev
  libbenchmark-dev clang libclang-rt-14-dev
  xvfb xdotool imagemagick poppler-utils fonts-dejavu-core locales
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
# A French locale, so that the tests can check that no number depends on the process locale.
if ! locale -a 2>/dev/null | grep -qi '^fr_FR\.utf-\?8$'; then
  $sudo localedef -i fr_FR -f UTF-8 fr_FR.UTF-8 || echo "note: no French locale; one test will be skipped"
fi
