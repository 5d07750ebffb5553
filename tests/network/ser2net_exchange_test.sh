#!/usr/bin/env bash
# The tool through network serial servers: the simulator on a pseudo-terminal behind ser2net, raw
# and with RFC 2217 line control, and the simulator's own TCP port. What it reads must be byte for
# byte the direct read; a configuration full of FF bytes goes through Telnet unchanged; the rate
# asked for reaches the terminal; a server that goes away, a closed port and an unknown host end
# the exchange with their messages.
#
# Usage: ser2net_exchange_test.sh TARVO
set -euo pipefail
native=$1
source "$(dirname "$0")/ser2net_common.sh"

# The direct read every other read must equal.
start_sim direct --exec 47 --version 53
direct=$line
"$native" read --port "$direct" --speed 19200 -o "$work/direct.par" >/dev/null

# Raw: the server's line is set up on the server.
start_sim raw --exec 47 --version 53
start_ser2net raw tcp "$line" 19200n81
"$native" read --port "tcp://127.0.0.1:$server_port" --speed 19200 -o "$work/raw.par" \
  >/dev/null 2>"$work/raw-read.err" || fail "raw read: $(cat "$work/raw-read.err")"
same "$work/raw.par" "$work/direct.par" "read through ser2net raw"

# RFC 2217: the server starts its line at 9600; the tool sets the rate it is given.
start_sim telnet --exec 47 --version 53
telnet_sim=$work/telnet.err
start_ser2net telnet "telnet(rfc2217),tcp" "$line" 9600n81
telnet=rfc2217://127.0.0.1:$server_port
"$native" read --port "$telnet" --speed 19200 -o "$work/telnet.par" >/dev/null \
  2>"$work/telnet-read.err" || fail "RFC 2217 read: $(cat "$work/telnet-read.err")"
same "$work/telnet.par" "$work/direct.par" "read through ser2net RFC 2217"
grep -q "Линия настроена на 19200 бод" "$telnet_sim" ||
  fail "19200 baud did not reach the terminal: $(cat "$telnet_sim")"

# Not-set values are FF FF FF FF, Telnet's IAC: written and read back at 4800, they arrive as sent.
cp "$work/direct.par" "$work/changed.par"
"$native" set "$work/changed.par" K018=1 K020=5,5 П215=12 >/dev/null
ff=$(tr -dc '\377' <"$work/changed.par" | wc -c)
[[ $ff -gt 1000 ]] || fail "the configuration has only $ff FF bytes"
"$native" write "$work/changed.par" --port "$telnet" --speed 4800 >/dev/null \
  2>"$work/telnet-write.err" || fail "RFC 2217 write: $(cat "$work/telnet-write.err")"
grep -q "Линия настроена на 4800 бод" "$telnet_sim" || fail "4800 baud did not reach the terminal"
"$native" read --port "$telnet" --speed 4800 -o "$work/telnet-back.par" >/dev/null
start_sim reference --exec 47 --version 53
"$native" write "$work/changed.par" --port "$line" --speed 4800 >/dev/null 2>&1
"$native" read --port "$line" --speed 4800 -o "$work/reference-back.par" >/dev/null
same "$work/telnet-back.par" "$work/reference-back.par" "the configuration written through RFC 2217"
status=0
"$native" diff "$work/direct.par" "$work/telnet-back.par" >/dev/null || status=$?
[[ $status -eq 1 ]] || fail "the written configuration does not differ from the one read first"

# The simulator's own TCP port, without a server between.
start_sim tcp --exec 47 --version 53 --tcp 0
"$native" read --port "$line" --speed 19200 -o "$work/tcp.par" >/dev/null
same "$work/tcp.par" "$work/direct.par" "read through the simulator's TCP port"
# COM3 mapped to it in [SerialPorts]; the file keeps COM3, as a direct read through COM3 does.
mkdir -p "$work/config/TARVO Applications"
printf '[SerialPorts]\nCOM3=%s\n' "$line" >"$work/config/TARVO Applications/TarvoConfig.conf"
XDG_CONFIG_HOME=$work/config "$native" read --port COM3 --speed 19200 -o "$work/com3.par" >/dev/null
TARVO_COM3=$direct "$native" read --port COM3 --speed 19200 -o "$work/direct-com3.par" >/dev/null
same "$work/com3.par" "$work/direct-com3.par" "read through COM3 mapped to a TCP address"

# The server killed part-way: the read fails and leaves no file.
start_sim killed --exec 47 --version 53
start_ser2net killed tcp "$line" 19200n81
"$native" read --port "tcp://127.0.0.1:$server_port" --speed 19200 -o "$work/killed.par" \
  >/dev/null 2>"$work/killed-read.err" &
reader=$!
sleep 1
kill "$server_pid"
started=$SECONDS
status=0
wait "$reader" || status=$?
[[ $status -ne 0 ]] || fail "a read through a server that went away reported success"
[[ ! -e $work/killed.par ]] || fail "a failed read left a file"
echo "server killed: the read failed after $((SECONDS - started)) s: $(tr '\n' ' ' <"$work/killed-read.err")"

# Nobody at the port, and a host that does not exist.
closed=$(free_port)
refusals=(
  "tcp://127.0.0.1:$closed|отказал в соединении: на порту $closed никто не ждет соединений"
  "rfc2217://tarvo-no-such-host.invalid:4001|не найден: неизвестное имя узла tarvo-no-such-host.invalid"
)
for refusal in "${refusals[@]}"; do
  port=${refusal%%|*} expected=${refusal#*|}
  status=0
  "$native" read --port "$port" --speed 19200 -o "$work/refused.par" >/dev/null \
    2>"$work/refused.err" || status=$?
  [[ $status -eq 1 ]] || fail "$port: exit status $status"
  grep -qF "Сервер последовательного порта $port $expected" "$work/refused.err" ||
    fail "$port: $(cat "$work/refused.err")"
  [[ ! -e $work/refused.par ]] || fail "$port: a failed read left a file"
done
echo "ser2net exchange: all cases passed"
