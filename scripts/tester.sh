#!/usr/bin/env bash
# Installs what is missing, builds Tavelin and runs every test.
# The GUI tests run offscreen: no display is needed.
set -euo pipefail
racine="$(cd "$(dirname "$0")/.." && pwd)"
"$racine/scripts/installer-dependances.sh"
"$racine/scripts/construire.sh" -DTAV_TESTS=ON
cd "$racine/build"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)" --timeout 600
