# Sourced by the end-to-end scripts, with native set to the Linux tarvo: a scratch folder, the
# simulators and servers they start, and their cleanup. A script that leaves more behind defines
# finish_more, which the cleanup calls first. Loaded once, however many helpers source it.
if [[ -n ${sim_processes_loaded:-} ]]; then return 0; fi
sim_processes_loaded=1
work=$(mktemp -d "${TMPDIR:-/tmp}/tarvo-exchange.XXXXXX")
# The copies a write saves first go to the scratch folder, not among the user's own.
export XDG_DATA_HOME=$work/data
pids=()
finish() {
  if declare -F finish_more >/dev/null; then finish_more; fi
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work"
}
trap finish EXIT

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# start_sim NAME SIM_ARGS...: starts a simulator and sets line to the first line it prints: its
# terminal's path, or with --tcp its tcp:// address.
start_sim() {
  local name=$1
  shift
  "$native" sim "$@" >"$work/$name.out" 2>"$work/$name.err" &
  pids+=($!)
  for _ in $(seq 100); do
    line=$(head -n 1 "$work/$name.out")
    [[ -n $line ]] && return 0
    sleep 0.1
  done
  cat "$work/$name.err" >&2
  fail "simulator $name did not start"
}

same() {
  cmp "$1" "$2" || fail "$3"
  echo "identical: $(basename "$1") and $(basename "$2") ($(stat -c %s "$1") bytes)"
}
