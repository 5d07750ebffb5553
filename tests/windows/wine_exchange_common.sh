# Sourced by the Wine exchange tests, with wine and native (the Linux tarvo) set: the Linux
# simulators they start and the COM links they put into the prefix.
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
source "$(dirname "${BASH_SOURCE[0]}")/../support/sim_processes.sh"
links=()
finish_more() {
  rm -f "${links[@]}"
}

# link_com N: the last simulator's terminal becomes COMn of the prefix.
link_com() {
  ln -sfn "$line" "$dosdevices/com$1"
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

