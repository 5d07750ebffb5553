#!/usr/bin/env bash
# Prepares the Wine prefix the Windows tests run in and keeps its server running, so that
# ctest's runs under Wine neither set up a prefix each nor hang waiting for a server.
# Usage: scripts/wine-session.sh start|stop PREFIX
set -euo pipefail
action="${1:?Usage: scripts/wine-session.sh start|stop PREFIX}"
prefix="${2:?Usage: scripts/wine-session.sh start|stop PREFIX}"
wine="$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)"
wineserver="$(command -v wineserver || echo /usr/lib/wine/wineserver)"
mkdir -p "$prefix"
export WINEPREFIX="$(cd "$prefix" && pwd)" WINEDEBUG=-all
# The tests need neither .NET nor a browser engine: no asking to install them.
export WINEDLLOVERRIDES="mscoree,mshtml="
case "$action" in
  start)
    # -p: the server stays when the last program ends; it detaches by itself.
    "$wineserver" -p </dev/null >/dev/null 2>&1
    "$wine" wineboot --init </dev/null >/dev/null 2>&1
    ;;
  stop) "$wineserver" -k 2>/dev/null || true ;;
  *) echo "Usage: scripts/wine-session.sh start|stop PREFIX" >&2; exit 2 ;;
esac
