#!/usr/bin/env bash
# Builds the program and shows it at work. Until the desktop window exists, a simulated ЛУР-Г
# on a pseudo-terminal stands in for the flow computer on COM1, and the tarvo tool reads it and
# writes into it. The simulator is stopped when the script ends, however it ends.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
tarvo=build/src/tarvo
demo="${TMPDIR:-/tmp}/tarvo-demo"
mkdir -p "$demo"
rm -f "$demo/sim.out"

"$tarvo" sim --exec 47 --version 53 --save-on-exit "$demo/device.par" \
  >"$demo/sim.out" 2>"$demo/sim.log" &
sim_pid=$!
trap 'kill "$sim_pid" 2>/dev/null || true; wait "$sim_pid" 2>/dev/null || true' EXIT

for _ in $(seq 50); do
  [ -s "$demo/sim.out" ] && break
  sleep 0.1
done
pty=$(head -n 1 "$demo/sim.out" || true)
if [ -z "$pty" ]; then
  echo "Имитатор не запустился:" >&2
  cat "$demo/sim.log" >&2
  exit 1
fi
export TARVO_COM1="$pty"
echo "Имитатор вычислителя ЛУР-Г (исполнение 47, версия ПО 53) работает на $pty, это COM1."
echo

echo "== tarvo read --port COM1 --speed 9600 -o $demo/read.par"
"$tarvo" read --port COM1 --speed 9600 -o "$demo/read.par" --force
"$tarvo" info "$demo/read.par"
echo

echo "== tarvo write $demo/demo.par --port COM1 --speed 9600"
"$tarvo" new --exec 47 --version 53 -o "$demo/demo.par" --force
"$tarvo" write "$demo/demo.par" --port COM1 --speed 9600
echo

echo "== tarvo write-texts $demo/demo.par --port COM1 --speed 9600"
"$tarvo" write-texts "$demo/demo.par" --port COM1 --speed 9600
