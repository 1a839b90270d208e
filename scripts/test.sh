#!/usr/bin/env bash
# Installs what is missing, builds everything (tests and benchmarks too) and runs every test.
set -euo pipefail
racine="$(cd "$(dirname "$0")/.." && pwd)"
"$racine/scripts/setup.sh"
"$racine/scripts/build.sh"
cd "${QV_BUILD_DIR:-$racine/build}"
ctest --output-on-failure -j"$(nproc)" "$@"
