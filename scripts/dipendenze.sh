#!/usr/bin/env bash
# Installs the Debian 12 packages Valmora needs to build, run and test, when
# they are missing. As root it runs apt-get; otherwise it prints the line to run.
set -euo pipefail
PACCHETTI=(
  build-essential cmake ninja-build pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-tools-dev-tools qt6-l10n-tools qt6-svg-dev libqt6svg6
  qt6-translations-l10n libgl-dev
  fonts-liberation fonts-dejavu-core
  xvfb xauth poppler-utils
)
mancanti=()
for p in "${PACCHETTI[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    mancanti+=("$p")
  fi
done
[ ${#mancanti[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -eq 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${mancanti[@]}"
else
  echo "Mancano dei pacchetti. Eseguire:"
  echo "  sudo apt-get install -y ${mancanti[*]}"
  exit 1
fi
