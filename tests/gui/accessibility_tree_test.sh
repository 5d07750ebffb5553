#!/usr/bin/env bash
# The channel sheet and the copy dialog of each variant as assistive technology reads them: the
# window runs under Xvfb on a private D-Bus session with its AT-SPI bridge on, and a walker checks
# that every control shown has a name. Skips (exit 77) where AT-SPI, Xvfb or D-Bus are missing.
# Usage: accessibility_tree_test.sh TARVOCONFIG TARVO
set -euo pipefail

tarvoconfig=$1
tarvo=$2
here=$(cd "$(dirname "$0")" && pwd)

skip() {
  echo "SKIP: $1"
  exit 77
}

# The system's Python carries the AT-SPI bindings; another one on PATH may not.
python=""
for candidate in /usr/bin/python3 python3; do
  if "$candidate" -c 'import gi; gi.require_version("Atspi", "2.0")' 2>/dev/null; then
    python=$candidate
    break
  fi
done
[ -n "$python" ] || skip "no Python with the AT-SPI bindings (gir1.2-atspi-2.0, python3-gi)"
command -v xvfb-run >/dev/null || skip "no xvfb-run (xvfb)"
command -v dbus-run-session >/dev/null || skip "no dbus-run-session (dbus)"
[ -e /usr/libexec/at-spi-bus-launcher ] || skip "no AT-SPI bus (at-spi2-core)"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
files=()
# One execution of each variant: В, Г, У, УВ, Л.
for exec in 46 47 50 60 49; do
  "$tarvo" new --exec "$exec" -o "$work/$exec.par" >/dev/null
  files+=("$work/$exec.par")
done

export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
dbus-run-session -- xvfb-run -a -s "-screen 0 1600x1000x24" \
  "$python" "$here/accessibility_tree.py" "$tarvoconfig" "${files[@]}"
