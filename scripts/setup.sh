#!/usr/bin/env bash
# Installs every Debian package Quellora needs to build, run and test.
# Quick when everything is already installed.
set -euo pipefail

PACOTES=(
  cmake ninja-build g++ pkg-config
  qt6-base-dev qt6-svg-dev libqt6svg6 qt6-qpa-plugins libgl-dev qtkeychain-qt6-dev
  libgtest-dev libgmock-dev libbenchmark-dev nlohmann-json3-dev
  clang libclang-rt-14-dev
  fonts-liberation fonts-dejavu-core
  xvfb xauth imagemagick poppler-utils libx11-dev
  qt6-translations-l10n
  python3 python3-aiosmtpd openssl
  dbus gnome-keyring libsecret-1-0
  libreoffice-calc-nogui xdg-utils shared-mime-info
  dpkg-dev file lintian desktop-file-utils appstream
  libqt6sql6-psql libpq-dev postgresql postgresql-common
)

falta=()
for p in "${PACOTES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || falta+=("$p")
done

if [ ${#falta[@]} -gt 0 ]; then
  echo "Instalando: ${falta[*]}"
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${falta[@]}"
fi
