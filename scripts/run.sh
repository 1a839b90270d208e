#!/usr/bin/env bash
# Installs what is missing, builds the program alone (no tests, no benchmarks) and starts it.
set -euo pipefail
racine="$(cd "$(dirname "$0")/.." && pwd)"
"$racine/scripts/setup.sh"
QV_BUILD_TARGETS=programme "$racine/scripts/build.sh"
exec "${QV_BUILD_DIR:-$racine/build}/quorvelane"
