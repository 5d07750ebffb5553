#!/usr/bin/env bash
# Builds the program and starts it with a simulated flow computer on COM1. With a display the
# window opens (arguments go to it, e.g. a .par file); without one the tarvo tool reads the
# simulator and writes into it instead. The simulator is stopped when the script ends, however
# it ends.
#
# The simulated device: TARVO_SIM_EXEC (execution code, 47 by default) and TARVO_SIM_VERSION
# (software version, 53 by default), e.g. TARVO_SIM_EXEC=50 TARVO_SIM_VERSION=40 scripts/start.sh
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
tarvo=build/src/tarvo
window=build/src/tarvoconfig
exec_code="${TARVO_SIM_EXEC:-47}"
version="${TARVO_SIM_VERSION:-53}"
demo="${TMPDIR:-/tmp}/tarvo-demo"
mkdir -p "$demo"
rm -f "$demo/sim.out"

case "$exec_code" in
  40 | 41 | 44 | 46) variant="ЛУР-В" ;;
  42 | 43 | 45 | 47) variant="ЛУР-Г" ;;
  50 | 51 | 52 | 53) variant="ЛУР-У" ;;
  60) variant="ЛУР-УВ" ;;
  49) variant="ЛУР-Л" ;;
  *) variant="неизвестного типа" ;;
esac

"$tarvo" sim --exec "$exec_code" --version "$version" --save-on-exit "$demo/device.par" \
  >"$demo/sim.out" 2>"$demo/sim.log" &
sim_pid=$!
trap 'kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true' EXIT

for _ in $(seq 50); do
  [ -s "$demo/sim.out" ] && break
  kill -0 "$sim_pid" 2>/dev/null || break
  sleep 0.1
done
pty=$(head -n 1 "$demo/sim.out" || true)
if [ -z "$pty" ]; then
  echo "Имитатор не запустился:" >&2
  cat "$demo/sim.log" >&2
  exit 1
fi
export TARVO_COM1="$pty"
echo "Имитатор вычислителя $variant (исполнение $exec_code, версия ПО $version) работает на $pty, это COM1."
echo "Что записано в имитатор, при его остановке сохраняется в $demo/device.par."
echo

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  if [ -x "$window" ]; then
    # Not exec: the trap stops the simulator once the window is closed.
    "$window" "$@"
    exit
  fi
  echo "Окно программы еще не собрано ($window), показываю работу через tarvo."
else
  echo "Дисплея нет (не заданы DISPLAY и WAYLAND_DISPLAY), поэтому вместо окна показываю работу через tarvo."
fi
echo

echo "== tarvo read --port COM1 --speed 9600 -o $demo/read.par"
"$tarvo" read --port COM1 --speed 9600 -o "$demo/read.par" --force
"$tarvo" info "$demo/read.par"
echo

echo "== tarvo write $demo/demo.par --port COM1 --speed 9600"
"$tarvo" new --exec "$exec_code" --version "$version" -o "$demo/demo.par" --force
"$tarvo" write "$demo/demo.par" --port COM1 --speed 9600
echo

# ЛУР-У has no report texts.
if [ "$variant" != "ЛУР-У" ]; then
  echo "== tarvo write-texts $demo/demo.par --port COM1 --speed 9600"
  "$tarvo" write-texts "$demo/demo.par" --port COM1 --speed 9600
fi
