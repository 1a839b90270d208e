#!/usr/bin/env bash
# Installs what is missing, builds and starts the program.
set -euo pipefail
racine="$(cd "$(dirname "$0")/.." && pwd)"
"$racine/scripts/setup.sh"
"$racine/scripts/build.sh"
exec "${QV_BUILD_DIR:-$racine/build}/quorvelane"
