#!/usr/bin/env bash
# Configures and builds into build/ (or $QV_BUILD_DIR): every target, or only those named in
# $QV_BUILD_TARGETS (e.g. "programme").
set -euo pipefail
racine="$(cd "$(dirname "$0")/.." && pwd)"
build="${QV_BUILD_DIR:-$racine/build}"
cmake -S "$racine" -B "$build" -DCMAKE_BUILD_TYPE="${QV_BUILD_TYPE:-RelWithDebInfo}" "$@" >/dev/null
cibles=()
for c in ${QV_BUILD_TARGETS:-}; do
  cibles+=(--target "$c")
done
cmake --build "$build" -j"$(nproc)" "${cibles[@]}"
