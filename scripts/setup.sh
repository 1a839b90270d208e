#!/usr/bin/env bash
# Installs what a fresh Debian machine lacks to build, run and test the program.
set -euo pipefail
paquets=(cmake g++ make ccache qt6-base-dev qt6-base-dev-tools qt6-translations-l10n libqt6printsupport6
         libsqlite3-dev libzip-dev sqlite3 zip unzip xvfb xauth openbox poppler-utils libgl-dev
         chromium fonts-liberation fonts-dejavu-core)
manquants=()
for p in "${paquets[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || manquants+=("$p")
done
if ((${#manquants[@]})); then
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq "${manquants[@]}"
fi
