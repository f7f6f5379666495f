#!/usr/bin/env bash
# Installs the Debian 12 packages Tavelin needs to build, run and test,
# only those that are missing.
set -euo pipefail

paquets=(
  build-essential cmake pkg-config
  # The Debian package (scripts/paquet.sh): cpack reads the programs with file and
  # computes their dependencies with dpkg-shlibdeps.
  dpkg-dev file
  qt6-base-dev qt6-base-dev-tools qt6-charts-dev qt6-svg-dev libqt6opengl6-dev qt6-translations-l10n
  libgl-dev libxkbcommon-dev
  libbenchmark-dev
  # The report cards print in Arial where present, else its metric twin Liberation Sans.
  fonts-liberation2
)
if [ "${TAVELIN_AVEC_XVFB:-0}" = 1 ]; then
  paquets+=(xvfb xauth imagemagick)
fi

manquants=()
for p in "${paquets[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    manquants+=("$p")
  fi
done

if [ ${#manquants[@]} -eq 0 ]; then
  echo "Dépendances : tout est déjà installé."
  exit 0
fi

echo "Installation des paquets manquants : ${manquants[*]}"
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then
  if command -v sudo >/dev/null 2>&1; then
    sudo_cmd=(sudo)
  else
    echo "Erreur : il faut être root (ou disposer de sudo) pour installer : ${manquants[*]}" >&2
    exit 1
  fi
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo_cmd[@]}" apt-get update -qq
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${manquants[@]}"
