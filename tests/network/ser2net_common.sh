# Sourced by the tests that exchange through Debian's ser2net, with tarvo set to the Linux tool:
# a scratch folder, the simulators and servers they start, and their cleanup. Exits 77 (skipped)
# where ser2net is not installed.
ser2net=$(command -v ser2net || echo /usr/sbin/ser2net)
if [[ ! -x $ser2net ]]; then
  echo "ser2net is not installed (scripts/install-deps.sh installs it): skipped"
  exit 77
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/tarvo-ser2net.XXXXXX")
pids=()
finish() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap finish EXIT

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# start_sim NAME SIM_ARGS...: starts a simulator and sets line to its first line of output (the
# terminal's path, or its tcp:// address with --tcp).
start_sim() {
  local name=$1
  shift
  "$tarvo" sim "$@" >"$work/$name.out" 2>"$work/$name.err" &
  pids+=($!)
  for _ in $(seq 100); do
    line=$(head -n 1 "$work/$name.out")
    [[ -n $line ]] && return 0
    sleep 0.1
  done
  cat "$work/$name.err" >&2
  fail "simulator $name did not start"
}

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

same() {
  cmp -s "$1" "$2" || fail "$3: $(basename "$1") and $(basename "$2") differ"
}
