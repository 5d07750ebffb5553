#!/usr/bin/env bash
# tarvo.exe under Wine through network serial servers: Debian's ser2net with RFC 2217 in front of
# the Linux simulator's pseudo-terminal, and the simulator's own TCP port. What it reads must be
# byte for byte what the Linux tool reads directly; a closed port is refused with its message.
#
# Usage: wine_network_exchange.sh WINE TARVO.EXE NATIVE_TARVO   (WINEPREFIX set, wineboot done)
set -euo pipefail
wine=$1 exe=$2 native=$3
source "$(dirname "$0")/wine_exchange_common.sh"
source "$(dirname "$0")/../network/ser2net_common.sh"

wintarvo() {
  under_wine "$1" "$exe" "${@:2}"
}

start_sim direct --exec 47 --version 53
"$native" read --port "$line" --speed 19200 -o "$work/native.par" >/dev/null

start_sim telnet --exec 47 --version 53
start_ser2net telnet "telnet(rfc2217),tcp" "$line" 9600n81
wintarvo telnet read --port "rfc2217://127.0.0.1:$server_port" --speed 19200 \
  -o "Z:$work/telnet.par" || fail "tarvo.exe read through RFC 2217: $(cat "$work/telnet.stderr")"
same "$work/telnet.par" "$work/native.par" "tarvo.exe read another configuration through RFC 2217"
grep -q "Линия настроена на 19200 бод" "$work/telnet.err" ||
  fail "19200 baud did not reach the terminal: $(cat "$work/telnet.err")"

start_sim tcp --exec 47 --version 53 --tcp 0
wintarvo tcp read --port "$line" --speed 19200 -o "Z:$work/tcp.par" ||
  fail "tarvo.exe read through the simulator's TCP port: $(cat "$work/tcp.stderr")"
same "$work/tcp.par" "$work/native.par" "tarvo.exe read another configuration through TCP"

closed=$(free_port)
refusals=(
  "tcp://127.0.0.1:$closed|отказал в соединении"
  "rfc2217://tarvo-no-such-host.invalid:4001|не найден: неизвестное имя узла"
)
for refusal in "${refusals[@]}"; do
  port=${refusal%%|*} expected=${refusal#*|}
  if wintarvo refused read --port "$port" --speed 19200 -o "Z:$work/refused.par"; then
    fail "tarvo.exe read through $port reported success"
  fi
  grep -qF "Сервер последовательного порта $port $expected" "$work/refused.stderr" ||
    fail "$port: $(cat "$work/refused.stderr")"
  [[ ! -e $work/refused.par ]] || fail "$port: a failed read left a file"
done
echo "tarvo.exe through ser2net and TCP: all cases passed"
