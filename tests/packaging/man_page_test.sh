#!/usr/bin/env bash
# tarvo(1) and "tarvo --help" name the same commands, and each command the same options; both man
# pages render without a warning. Usage: man_page_test.sh TARVO TARVO.1 [TARVOCONFIG.1]
set -euo pipefail

tarvo=$1
page=$2
source "$(dirname "$0")/tarvo_help.sh"

# The page's text without its font changes, with plain hyphens.
plain=$(sed -e 's/\\-/-/g' -e 's/\\f[BIRP]//g' "$page")

help_commands=$(help_commands)
man_commands=$(echo "$plain" | awk '$1 == ".SS" && $2 == "tarvo" { print $3 }' | sort)
[ -n "$help_commands" ] || fail "tarvo --help lists no command"
same "commands: --help and the man page" "$help_commands" "$man_commands"

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
  same "options of $command: --help and the man page" "$(help_options "$command")" "$(man_options "$command")"
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
