#!/usr/bin/env bash
# tarvo.exe exchanges with the Linux simulator through its Win32 serial port under Wine: a link in
# the prefix's dosdevices makes the simulator's pseudo-terminal a COM port. What it reads and what
# it writes must be byte for byte what the Linux tool reads and writes, and a line that hangs up
# part-way must end its exchange with a failure.
#
# Usage: wine_serial_exchange.sh WINE TARVO.EXE NATIVE_TARVO   (WINEPREFIX set, wineboot done)
set -euo pipefail
wine=$1 exe=$2 native=$3
source "$(dirname "$0")/wine_exchange_common.sh"

wintarvo() {
  under_wine "$1" "$exe" "${@:2}"
}

# Reading: COM8 goes through the port map to \\.\COM8, Wine's link to the simulator.
start_sim read --exec 47 --version 53
link_com 8
wintarvo read read --port COM8 --speed 19200 -o "Z:$work/wine-read.par" ||
  fail "tarvo.exe read: $(cat "$work/read.stderr")"
# The file keeps the port it was read through: the Linux tool reads through COM8 too.
TARVO_COM8=$line "$native" read --port COM8 --speed 19200 -o "$work/native-read.par" >/dev/null
same "$work/wine-read.par" "$work/native-read.par" "tarvo.exe read another configuration"

# Writing: the same changed configuration into two simulators, by each tool, read back by the
# Linux tool; COM18 is named as Windows names ports past nine.
cp "$work/native-read.par" "$work/changed.par"
"$native" set "$work/changed.par" K018=1 K020=5,5 П215=12 >/dev/null
start_sim wine-target --exec 47 --version 53
link_com 18
wintarvo write write "Z:$work/changed.par" --port '\\.\COM18' --speed 9600 ||
  fail "tarvo.exe write: $(cat "$work/write.stderr")"
"$native" read --port "$line" --speed 9600 -o "$work/wine-written.par" >/dev/null
start_sim native-target --exec 47 --version 53
"$native" write "$work/changed.par" --port "$line" --speed 9600 >/dev/null
"$native" read --port "$line" --speed 9600 -o "$work/native-written.par" >/dev/null
same "$work/wine-written.par" "$work/native-written.par" "tarvo.exe wrote another configuration"
status=0
"$native" diff "$work/native-read.par" "$work/wine-written.par" >"$work/diff.out" || status=$?
[[ $status -eq 1 ]] || fail "the written configuration does not differ from the one read first"
# The changed configuration read back by tarvo.exe too.
wintarvo read-back read --port COM18 --speed 9600 -o "Z:$work/wine-read-back.par" ||
  fail "tarvo.exe read back: $(cat "$work/read-back.stderr")"
same "$work/wine-read-back.par" "$work/native-written.par" "tarvo.exe read back another configuration"

# A line that hangs up part-way ends the read with a failure, and no file.
start_sim hangup --exec 47 --version 53 --hangup-after 3
link_com 8
started=$SECONDS
if wintarvo hangup read --port COM8 --speed 19200 -o "Z:$work/hangup.par"; then
  fail "tarvo.exe read through a line that hung up reported success"
fi
[[ ! -e $work/hangup.par ]] || fail "a failed read left a file"
echo "hung-up line: the read failed after $((SECONDS - started)) s: $(tr '\n' ' ' <"$work/hangup.stderr")"
