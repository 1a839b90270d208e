#!/usr/bin/env bash
# Runs a test program on an X server of its own (a free display, so that tests run side by side)
# under a window manager: which window is active and where the focus goes then come from the
# desktop, on its own time, as on the user's machine.
# Usage: tests/sous_gestionnaire.sh <program> [arguments]
set -euo pipefail
if [ -z "${QV_SOUS_GESTIONNAIRE:-}" ]; then
  exec env QV_SOUS_GESTIONNAIRE=1 xvfb-run -a -s "-screen 0 1366x768x24" "$0" "$@"
fi
# The manager's own files stay out of the user's folders.
dossier=$(mktemp -d)
gestionnaire=
finir() {
  if [ -n "$gestionnaire" ]; then
    kill "$gestionnaire" 2>/dev/null || true
    wait "$gestionnaire" 2>/dev/null || true
  fi
  rm -rf "$dossier"
}
trap finir EXIT
XDG_CONFIG_HOME="$dossier" XDG_CACHE_HOME="$dossier" XDG_DATA_HOME="$dossier" \
  openbox --sm-disable --startup "touch $dossier/pret" >"$dossier/journal" 2>&1 &
gestionnaire=$!
# The manager runs its start-up command once it manages the screen.
for _ in $(seq 200); do
  [ -e "$dossier/pret" ] && break
  kill -0 "$gestionnaire" 2>/dev/null || break
  sleep 0.05
done
if [ ! -e "$dossier/pret" ]; then
  echo "le gestionnaire de fenêtres n'a pas démarré" >&2
  cat "$dossier/journal" >&2
  exit 1
fi
QT_QPA_PLATFORM=xcb "$@"
