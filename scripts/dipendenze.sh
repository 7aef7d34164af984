#!/usr/bin/env bash
# Installs the Debian 12 packages Valmora needs to build, run and test, when
# they are missing (clang and its libFuzzer runtime build the fuzz targets).
# As root it runs apt-get; otherwise it prints the line to run.
set -euo pipefail
PACCHETTI=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev libfontconfig-dev qt6-base-dev-tools qt6-tools-dev-tools qt6-l10n-tools qt6-svg-dev libqt6svg6
  qt6-translations-l10n libgl-dev
  fonts-liberation fonts-dejavu-core
  xvfb xauth poppler-utils locales
  libreoffice-calc-nogui
  clang libclang-rt-14-dev
  qt6-gtk-platformtheme gnome-themes-extra
  orca speech-dispatcher speech-dispatcher-espeak-ng espeak-ng at-spi2-core dbus openbox xdotool python3-pyatspi
)
mancanti=()
for p in "${PACCHETTI[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    mancanti+=("$p")
  fi
done
# The tests also run under the Italian locale the program's users have.
serve_locale() { ! locale -a 2>/dev/null | grep -qi '^it_IT\.utf-\?8$'; }
if [ ${#mancanti[@]} -eq 0 ] && ! serve_locale; then exit 0; fi
if [ "$(id -u)" -eq 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  if [ ${#mancanti[@]} -gt 0 ]; then
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${mancanti[@]}"
  fi
  if serve_locale; then
    sed -i 's/^# *\(it_IT.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^it_IT.UTF-8 UTF-8' /etc/locale.gen || echo 'it_IT.UTF-8 UTF-8' >> /etc/locale.gen
    locale-gen >/dev/null
  fi
elif [ ${#mancanti[@]} -eq 0 ]; then
  exit 0 # only the Italian locale is missing: its one test skips
else
  echo "Mancano dei pacchetti. Eseguire:"
  echo "  sudo apt-get install -y ${mancanti[*]}"
  exit 1
fi
