#!/usr/bin/env bash
# Configures and builds into build/ (or $QV_BUILD_DIR).
set -euo pipefail
racine="$(cd "$(dirname "$0")/.." && pwd)"
build="${QV_BUILD_DIR:-$racine/build}"
cmake -S "$racine" -B "$build" -DCMAKE_BUILD_TYPE="${QV_BUILD_TYPE:-RelWithDebInfo}" "$@" >/dev/null
cmake --build "$build" -j"$(nproc)"
