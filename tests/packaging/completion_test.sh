#!/usr/bin/env bash
# The bash completion of tarvo, driven as bash drives it: it offers the commands and each
# command's options that tarvo --help names, the values of the options that have a fixed set,
# the COM ports of the settings file and *.par files. Skips (exit 77) without bash-completion.
# Usage: completion_test.sh TARVO COMPLETION-SCRIPT
set -uo pipefail

tarvo=$(realpath "$1")
script=$2
bash_completion=/usr/share/bash-completion/bash_completion
[ -r "$bash_completion" ] || {
  echo "SKIP: no $bash_completion (bash-completion)"
  exit 77
}
source "$(dirname "$0")/tarvo_help.sh"
source "$bash_completion"
source "$script"

# What Tab offers at the end of LINE, one word a line, sorted. An option's "=value" is split off
# as readline splits it.
offers() {
  local line=$1 part
  local -a parts words=()
  read -ra parts <<<"$line"
  for part in "${parts[@]}"; do
    if [[ $part == -*=* ]]; then
      words+=("${part%%=*}" "=")
      [ -n "${part#*=}" ] && words+=("${part#*=}")
    else
      words+=("$part")
    fi
  done
  [[ $line == *" " ]] && words+=("")
  COMP_WORDS=("${words[@]}")
  COMP_CWORD=$((${#words[@]} - 1))
  COMP_LINE=$line
  COMP_POINT=${#line}
  COMPREPLY=()
  _tarvo tarvo "${words[COMP_CWORD]}" "${words[COMP_CWORD - 1]}"
  printf '%s\n' "${COMPREPLY[@]}" | sed '/^$/d' | sort
}

lines() { printf '%s\n' "$@" | sort; }

same "commands: --help and Tab" "$(lines $(help_commands) --help --version)" "$(offers "tarvo ")"
for command in $(help_commands); do
  same "options of $command: --help and Tab" "$(help_options "$command")" \
    "$(offers "tarvo $command -")"
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/files/folder"
cd "$work/files" || exit 1
export XDG_CONFIG_HOME=$work/config HOME=$work

codes=$("$tarvo" new --help | grep -- '--exec' | grep -oE '\b[0-9]{2}\b' | sort)
codes4=$(grep '^4' <<<"$codes" | tr '\n' ' ')
codes=$(tr '\n' ' ' <<<"$codes")
while IFS='|' read -r line expected; do
  same "Tab after '$line'" "$(lines $expected)" "$(offers "$line")"
done <<EOF_CASES
tarvo new --exec |$codes
tarvo sim --exec 4|$codes4
tarvo show a.par --form |channel node system texts
tarvo show a.par --form=n|node
tarvo show a.par --format |csv html json text
tarvo diff a.par b.par --format |csv json text
tarvo backups --format=j|json
tarvo read --speed |19200 2400 4800 9600
tarvo read --port |COM1 COM2 COM3 COM4 COM5 COM6 COM7 COM8 COM9
tarvo show a.par --form channel |
EOF_CASES

mkdir -p "$work/config/TARVO Applications"
printf '[General]\nCOM3=/dev/ttyS2\n\n[SerialPorts]\r\nCOM2=/dev/ttyUSB0\r\nCOM7=/dev/ttyACM0\r\nCOM8=\r\n' \
  >"$work/config/TARVO Applications/TarvoConfig.conf"
same "ports from the settings file" "$(lines COM2 COM7)" "$(offers "tarvo write a.par --port C")"

touch one.par two.par notes.txt
same "files of tarvo info" "$(lines folder one.par two.par)" "$(offers "tarvo info ")"
same "files of -o" "$(lines one.par)" "$(offers "tarvo read -o o")"
exit $failed
