#!/usr/bin/env bash
# Installs what is missing, builds Tavelin for /usr and makes its Debian package
# (build/tavelin_<version>_<architecture>.deb), whose dependencies dpkg-shlibdeps computes.
# Install it with: sudo apt install ./build/tavelin_*.deb
set -euo pipefail
racine="$(cd "$(dirname "$0")/.." && pwd)"
"$racine/scripts/installer-dependances.sh"
"$racine/scripts/construire.sh" -DCMAKE_INSTALL_PREFIX=/usr
cd "$racine/build"
rm -f tavelin_*.deb
cpack -G DEB >/dev/null
paquet="$(ls tavelin_*.deb)"
echo "Paquet : build/$paquet"
dpkg-deb --field "$paquet" Package Version Depends
