# What tarvo --help names, one word a line, sorted; sourced by the tests that compare the man
# page and the completion with it. Needs $tarvo; fail and same set $failed, the exit status.

failed=0

fail() {
  echo "FAIL: $1"
  failed=1
}

# The same words, one a line, on both sides, or the difference is shown.
same() {
  local what=$1 expected=$2 actual=$3
  if [ "$expected" != "$actual" ]; then
    fail "$what differ (< first, > second)"
    diff <(echo "$expected") <(echo "$actual") || true
  fi
}

help_commands() {
  "$tarvo" --help | sed -n '/^Команды:/,/^$/p' | awk 'NR > 1 && NF { print $1 }' | sort
}

# The options of one command's help: its usage lines and the lines that describe an option.
help_options() {
  "$tarvo" "$1" --help |
    awk '/^Использование:/ { usage = 1 } usage && !NF { usage = 0 } usage || /^ +-/' |
    grep -oE '(^|[][ |,])--?[a-z][a-z-]*' | grep -oE -- '--?[a-z][a-z-]*' | sort -u
}
