#!/usr/bin/env bash
# Installs what is missing, builds Tavelin and starts it on the example class.
set -euo pipefail
racine="$(cd "$(dirname "$0")/.." && pwd)"
"$racine/scripts/installer-dependances.sh"
"$racine/scripts/construire.sh"
exemple="$racine/examples/4e_B_mathematiques.tav"
if [ -x "$racine/build/bin/tavelin" ]; then
  exec "$racine/build/bin/tavelin" "$exemple"
else
  exec "$racine/build/bin/tavelin-cli" info "$exemple"
fi
