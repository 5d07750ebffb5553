#!/usr/bin/env bash
# How long the window takes from start until its main window is on the screen: the Linux build
# and the Windows build under Wine, in turn, on one X display, so that the ratio holds however
# fast the machine is today. Needs xdotool and a display (xvfb-run -a bench/window_start.sh).
#
# Usage: bench/window_start.sh [RUNS] [FILE.par]   (defaults: 7 runs, no file)
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-7}"
file="${2:-}"
linux=build/src/tarvoconfig
windows=build-windows-gui/src/tarvoconfig.exe
wine="$(command -v wine64 || command -v wine || echo /usr/lib/wine/wine64)"
for f in "$linux" "$windows"; do
  [[ -x $f || -f $f ]] || { echo "missing $f: build the default and windows-gui presets" >&2; exit 1; }
done
[[ -n ${DISPLAY:-} ]] || { echo "no display: run under xvfb-run -a" >&2; exit 1; }
command -v xdotool >/dev/null || { echo "xdotool is missing (apt-get install xdotool)" >&2; exit 1; }

export WINEPREFIX="${WINEPREFIX:-$PWD/build-windows-gui/wine}" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
scripts/wine-session.sh start "$WINEPREFIX"
trap 'scripts/wine-session.sh stop "$WINEPREFIX"' EXIT
winfile=""
[[ -n $file ]] && winfile="Z:$(realpath "$file")"

# Milliseconds from start until a visible window titled TarvoConfig exists.
time_start() {
  local started now pid
  started=$(date +%s%N)
  "$@" >/dev/null 2>&1 &
  pid=$!
  # xdotool's own --sync looks only every half second.
  until xdotool search --onlyvisible --name 'TarvoConfig' >/dev/null 2>&1; do sleep 0.02; done
  now=$(date +%s%N)
  kill "$pid" 2>/dev/null || true
  wait "$pid" 2>/dev/null || true
  # Wine's program may outlive its starter: nothing of one run may be left for the next.
  while xdotool search --onlyvisible --name 'TarvoConfig' >/dev/null 2>&1; do sleep 0.1; done
  echo $(((now - started) / 1000000))
}

median() { sort -n | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }

# A warm-up of each, not counted: the first start reads everything from disk.
time_start "$linux" ${file:+"$file"} >/dev/null
time_start "$wine" "$windows" ${winfile:+"$winfile"} >/dev/null
linux_ms=() wine_ms=() ratios=()
for _ in $(seq "$runs"); do
  l=$(time_start "$linux" ${file:+"$file"})
  w=$(time_start "$wine" "$windows" ${winfile:+"$winfile"})
  linux_ms+=("$l") wine_ms+=("$w")
  ratios+=("$(awk -v w="$w" -v l="$l" 'BEGIN {printf "%.2f", w / l}')")
done
echo "window start until shown, median of $runs (min-max):"
echo "  Linux:            $(printf '%s\n' "${linux_ms[@]}" | median) ms ($(printf '%s\n' "${linux_ms[@]}" | sort -n | sed -n '1p;$p' | paste -sd-))"
echo "  Windows, Wine:    $(printf '%s\n' "${wine_ms[@]}" | median) ms ($(printf '%s\n' "${wine_ms[@]}" | sort -n | sed -n '1p;$p' | paste -sd-))"
echo "  ratio Wine/Linux: $(printf '%s\n' "${ratios[@]}" | median) (pair by pair)"
