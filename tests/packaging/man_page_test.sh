#!/usr/bin/env bash
# tarvo(1) and "tarvo --help" name the same commands, and each command the same options; both man
# pages render without a warning. Usage: man_page_test.sh TARVO TARVO.1 [TARVOCONFIG.1]
set -euo pipefail

tarvo=$1
page=$2
failed=0

fail() {
  echo "FAIL: $1"
  failed=1
}

# The same words, one a line, on both sides, or the difference is shown.
same() {
  local what=$1 help=$2 man=$3
  if [ "$help" != "$man" ]; then
    fail "$what: --help and the man page differ (< help, > man)"
    diff <(echo "$help") <(echo "$man") || true
  fi
}

# The page's text without its font changes, with plain hyphens.
plain=$(sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' "$page")

help_commands=$("$tarvo" --help | sed -n '/^Команды:/,/^$/p' | awk 'NR > 1 && NF { print $1 }' | sort)
man_commands=$(echo "$plain" | awk '$1 == ".SS" && $2 == "tarvo" { print $3 }' | sort)
[ -n "$help_commands" ] || fail "tarvo --help lists no command"
same "commands" "$help_commands" "$man_commands"

# The options of one command's help: its usage lines and the lines that describe an option.
help_options() {
  "$tarvo" "$1" --help |
    awk '/^Использование:/ { usage = 1 } usage && !NF { usage = 0 } usage || /^ +-/' |
    grep -oE '(^|[][ |,])--?[a-z][a-z-]*' | grep -oE -- '--?[a-z][a-z-]*' | sort -u
}

# The options of one command's section: the tags of its option list.
man_options() {
  echo "$plain" |
    awk -v name="$1" '$1 == ".SS" { inside = ($2 == "tarvo" && $3 == name) }
                      $1 == ".SH" { inside = 0 }
                      inside && tag { print; tag = 0 }
                      inside && $1 == ".TP" { tag = 1 }' |
    grep -oE '(^|[ "])--?[a-z][a-z-]*' | grep -oE -- '--?[a-z][a-z-]*' | sort -u
}

for command in $help_commands; do
  same "options of $command" "$(help_options "$command")" "$(man_options "$command")"
done
for option in --help -h --version; do
  grep -qE -- "(^|[ ])$option( |$)" <<<"$(echo "$plain" | grep -A1 '^\.TP')" ||
    fail "the man page has no $option"
done

for each in "${@:2}"; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$each" 2>&1 >/dev/null) ||
    fail "man cannot render $each"
  [ -z "$warnings" ] || fail "man warns on $each: $warnings"
done
exit $failed
