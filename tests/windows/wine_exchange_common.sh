# Sourced by the Wine exchange tests, with wine and native (the Linux tarvo) set: a scratch folder, the
# Linux simulators they start, the COM links they put into the prefix, and their cleanup.
: "${WINEPREFIX:?WINEPREFIX must name the prefix the tests run in}"
if [[ ! -x $native ]]; then
  echo "no native tarvo at $native: build it first (cmake --build --preset default --target tarvo)" \
    "or name it with -DTARVO_NATIVE_TARVO" >&2
  exit 1
fi
dosdevices=$WINEPREFIX/dosdevices
if [[ ! -d $dosdevices ]]; then
  echo "$dosdevices is missing: run wineboot in the prefix first" >&2
  exit 1
fi
work=$(mktemp -d "${TMPDIR:-/tmp}/tarvo-wine-exchange.XXXXXX")
sims=()
links=()
finish() {
  for pid in "${sims[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -f "${links[@]}"
  rm -rf "$work"
}
trap finish EXIT

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# start_sim NAME SIM_ARGS...: starts a simulator and sets pty to its terminal.
start_sim() {
  local name=$1
  shift
  "$native" sim "$@" >"$work/$name.out" 2>"$work/$name.err" &
  sims+=($!)
  for _ in $(seq 100); do
    pty=$(head -n 1 "$work/$name.out")
    [[ $pty == /dev/* ]] && return 0
    sleep 0.1
  done
  cat "$work/$name.err" >&2
  fail "simulator $name did not start"
}

# link_com N: the last simulator's terminal becomes COMn of the prefix.
link_com() {
  ln -sfn "$pty" "$dosdevices/com$1"
  links+=("$dosdevices/com$1")
}

# under_wine NAME PROGRAM ARGS...: runs a Windows program, with its output in $work/NAME.stdout
# and .stderr (a pipe would be held open by Wine's services); returns its exit status.
under_wine() {
  local name=$1
  shift
  local status=0
  timeout 300 "$wine" "$@" >"$work/$name.stdout" 2>"$work/$name.stderr" || status=$?
  [[ $status -ne 124 ]] || fail "$name did not end within 300 s"
  return "$status"
}

same() {
  cmp "$1" "$2" || fail "$3"
  echo "identical: $(basename "$1") and $(basename "$2") ($(stat -c %s "$1") bytes)"
}
