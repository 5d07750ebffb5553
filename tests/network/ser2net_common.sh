# Sourced by the tests that exchange through Debian's ser2net, with native set to the Linux tarvo:
# the servers they start on 127.0.0.1. Exits 77 (skipped) where ser2net is not installed.
ser2net=$(command -v ser2net || echo /usr/sbin/ser2net)
if [[ ! -x $ser2net ]]; then
  echo "ser2net is not installed (scripts/install-deps.sh installs it): skipped"
  exit 77
fi
source "$(dirname "${BASH_SOURCE[0]}")/../support/sim_processes.sh"

# free_port: a TCP port on 127.0.0.1 that nothing listens on just now.
free_port() {
  python3 -c 'import socket; s=socket.socket(); s.bind(("127.0.0.1", 0)); print(s.getsockname()[1])'
}

# start_ser2net NAME ACCEPTER DEVICE SETTINGS: serves DEVICE (at SETTINGS, e.g. 9600n81) on a
# free port of 127.0.0.1 through ACCEPTER ("tcp" raw, "telnet(rfc2217),tcp"), in the foreground
# of a process of its own; sets server_port, and server_pid for a test that kills it.
start_ser2net() {
  local name=$1 accepter=$2 device=$3 settings=$4
  server_port=$(free_port)
  cat >"$work/$name.yaml" <<CONFIG
connection: &$name
  accepter: $accepter,127.0.0.1,$server_port
  connector: serialdev,$device,$settings,local
  options:
    kickolduser: true
CONFIG
  "$ser2net" -n -d -c "$work/$name.yaml" >"$work/$name.log" 2>&1 &
  server_pid=$!
  pids+=($server_pid)
  for _ in $(seq 100); do
    # Listening, without a connection that would open the device.
    [[ -n $(ss -Hltn "sport = :$server_port") ]] && return 0
    sleep 0.1
  done
  cat "$work/$name.log" >&2
  fail "ser2net $name does not listen on $server_port"
}
