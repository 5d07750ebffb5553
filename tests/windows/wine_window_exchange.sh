#!/usr/bin/env bash
# The window's read and write dialogs exchange through the Win32 serial port under Wine with the
# Linux simulator, whose pseudo-terminal a link in the prefix's dosdevices makes COM7, and reads
# through ser2net with COM7 mapped to its address. What the window reads and writes must be byte
# for byte what the Linux tool reads and writes.
#
# Usage: wine_window_exchange.sh WINE TARVO_GUI_TESTS.EXE NATIVE_TARVO   (WINEPREFIX set)
set -euo pipefail
wine=$1 tests=$2 native=$3
source "$(dirname "$0")/wine_exchange_common.sh"

# Runs one of the window's system-port tests under Wine, with the given environment.
window_test() {
  local name=$1
  shift
  (export TARVO_TEST_COM=7 "$@" && under_wine "$name" "$tests" --gtest_filter="SystemPortExchange.$name") || true
  grep -q '\[  PASSED  \] 1 test' "$work/$name.stdout" ||
    fail "the window's $name: $(grep -E 'Failure|Expected|Which is|Value of|SKIPPED' "$work/$name.stdout" | head -20)"
}

# The device: a ЛУР-У of execution 50, version 40, with system-wide values of its own.
"$native" new -o "$work/station.par" --exec 50 --version 40 >/dev/null
"$native" set "$work/station.par" K0018=1 K0020=5,5 >/dev/null

start_sim read --load "$work/station.par"
link_com 7
window_test ReadsTheDevice TARVO_TEST_SAVE="Z:$work/window-read.par"
# The file keeps the port it was read through: the Linux tool reads through COM7 at 19200 too.
TARVO_COM7=$line "$native" read --port COM7 --speed 19200 -o "$work/native-read.par" >/dev/null
same "$work/window-read.par" "$work/native-read.par" "the window read another configuration"

# The same changed configuration written by the window and by the Linux tool, each into a
# simulator of its own, then read back by the Linux tool.
cp "$work/native-read.par" "$work/changed.par"
"$native" set "$work/changed.par" K0018=0 K0020=7,25 K0023=0,098 >/dev/null
start_sim window-target --load "$work/station.par"
link_com 7
window_test WritesAFileIntoTheDevice TARVO_TEST_WRITE="Z:$work/changed.par"
"$native" read --port "$line" --speed 19200 -o "$work/window-written.par" >/dev/null
start_sim native-target --load "$work/station.par"
"$native" write "$work/changed.par" --port "$line" --speed 19200 >/dev/null
"$native" read --port "$line" --speed 19200 -o "$work/native-written.par" >/dev/null
same "$work/window-written.par" "$work/native-written.par" "the window wrote another configuration"
status=0
"$native" diff "$work/native-read.par" "$work/window-written.par" >/dev/null || status=$?
[[ $status -eq 1 ]] || fail "the configuration the window wrote does not differ from the one read first"

# Through a network serial server: COM7 names ser2net with RFC 2217 in front of a simulator.
if command -v ser2net >/dev/null || [[ -x /usr/sbin/ser2net ]]; then
  source "$(dirname "$0")/../network/ser2net_common.sh"
  start_sim network --load "$work/station.par"
  start_ser2net network "telnet(rfc2217),tcp" "$line" 9600n81
  window_test ReadsTheDevice TARVO_COM7="rfc2217://127.0.0.1:$server_port" \
    TARVO_TEST_SAVE="Z:$work/window-network.par"
  same "$work/window-network.par" "$work/native-read.par" "the window read another configuration through ser2net"
else
  echo "ser2net is not installed: the window's read through a network server is not tested"
fi
echo "the window read and wrote through COM7 as the Linux tool does"
