#!/usr/bin/env bash
# The Windows installer in a fresh Wine prefix: a silent install lays out the program's folder,
# the entry among installed programs and, with the window, the menu entry and the *.par file type;
# tarvo.exe runs from there; a silent uninstall takes all of it away again.
#
# Usage: installer_test.sh WINE INSTALLER.EXE WITH_WINDOW   (WITH_WINDOW: 1 when it carries
# tarvoconfig.exe, else 0)
set -euo pipefail
wine=$1 installer=$2 with_window=$3
help_source=$(cd "$(dirname "$0")/../../data/help" && pwd)/TarvoConfig.html
if [[ ! -f $installer ]]; then
  echo "no installer at $installer: build the package target first" \
    "(cmake --build <build folder> --target package)" >&2
  exit 1
fi
wineserver=$(dirname "$wine")/wineserver
[[ -x $wineserver ]] || wineserver=$(command -v wineserver)

work=$(mktemp -d "${TMPDIR:-/tmp}/tarvo-installer.XXXXXX")
export WINEPREFIX=$work/prefix WINEDEBUG=-all
# No .NET or browser engine prompts, and no menu entries or file types put on the Linux desktop.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
finish() {
  "$wineserver" -k 2>/dev/null || true
  rm -rf "$work"
}
trap finish EXIT

fail() {
  echo "FAILED: $*" >&2
  exit 1
}

# Runs a Windows program, then waits for all it started: an uninstaller runs on from a copy.
run() {
  local what=$1 status=0
  shift
  timeout 120 "$wine" "$@" </dev/null >"$work/out" 2>&1 || status=$?
  [[ $status -ne 124 ]] || fail "$what did not end within 120 s"
  [[ $status -eq 0 ]] || fail "$what ended with status $status: $(tr -d '\r' <"$work/out")"
  timeout 120 "$wineserver" -w || fail "what $what started did not end within 120 s"
}

# Queries a registry key with its subkeys into $work/reg; fails when the key is missing.
query() {
  timeout 120 "$wine" reg query "$1" /s </dev/null 2>/dev/null | tr -d '\r' >"$work/reg"
}

# Prints the data of value NAME ("(Default)" for the default) of KEY in the last query.
value() {
  awk -v key="$1" -v name="$2" '
    !/^ / { current = $0; next }
    current == key && index($0, "    " name "    REG_") == 1 {
      rest = substr($0, length(name) + 9)
      sub(/^[A-Z_]+    /, "", rest)
      print rest
      exit
    }' "$work/reg"
}

expect() {
  local key=$1 name=$2 wanted=$3 got
  got=$(value "$key" "$name")
  [[ $got == "$wanted" ]] || fail "$key $name is '$got', not '$wanted'"
  echo "registry: $key $name = $got"
}

folder="$WINEPREFIX/drive_c/Program Files/TarvoConfig"
shortcut="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/TarvoConfig.lnk"
uninstall_key='HKEY_LOCAL_MACHINE\Software\Microsoft\Windows\CurrentVersion\Uninstall\TarvoConfig'
class_key='HKEY_CLASSES_ROOT\TarvoConfig.Document'
windows_folder='C:\Program Files\TarvoConfig'
installed=(tarvo.exe help/TarvoConfig.html uninstall.exe)
if [[ $with_window == 1 ]]; then
  installed+=(tarvoconfig.exe)
fi

run "wineboot" wineboot --init

run "the silent install" "$installer" /S
for file in "${installed[@]}"; do
  [[ -f $folder/$file ]] || fail "the install left no $file in Program Files/TarvoConfig"
  echo "installed: $file"
done
cmp "$folder/help/TarvoConfig.html" "$help_source" || fail "the installed help is not data/help's"
echo "installed help is data/help/TarvoConfig.html"

query "$uninstall_key" || fail "no entry among installed programs: $uninstall_key"
expect "$uninstall_key" DisplayName TarvoConfig
expect "$uninstall_key" Publisher "TARVO Applications"
expect "$uninstall_key" UninstallString "\"$windows_folder\\uninstall.exe\""
expect "$uninstall_key" QuietUninstallString "\"$windows_folder\\uninstall.exe\" /S"
expect "$uninstall_key" InstallLocation "$windows_folder"
size=$(value "$uninstall_key" EstimatedSize)
if [[ $size != 0x* ]] || ((size == 0)); then
  fail "EstimatedSize is '$size'"
fi
echo "registry: EstimatedSize = $((size)) KiB"

if [[ $with_window == 1 ]]; then
  [[ -f $shortcut ]] || fail "no menu entry at $shortcut"
  echo "menu entry: TarvoConfig.lnk"
  query 'HKCR\.par' || fail "*.par is not registered"
  expect 'HKEY_CLASSES_ROOT\.par' '(Default)' TarvoConfig.Document
  query "$class_key" || fail "no $class_key"
  expect "$class_key" '(Default)' "TarvoC Document"
  expect "$class_key\\DefaultIcon" '(Default)' "\"$windows_folder\\tarvoconfig.exe\",0"
  expect "$class_key\\shell\\open\\command" '(Default)' \
    "\"$windows_folder\\tarvoconfig.exe\" \"%1\""
else
  # Without the window nothing could open a parameter file.
  [[ ! -e $shortcut ]] || fail "a menu entry without the window"
  ! query 'HKCR\.par' || fail "*.par is registered without the window"
  echo "no window: no menu entry, *.par not registered"
fi

status=0
timeout 120 "$wine" "$folder/tarvo.exe" --help </dev/null >"$work/help.out" 2>&1 || status=$?
[[ $status -eq 0 ]] || fail "the installed tarvo.exe --help ended with status $status"
grep -q 'Использование: tarvo' "$work/help.out" || fail "tarvo.exe --help printed no usage"
echo "the installed tarvo.exe runs: $(head -n 1 "$work/help.out" | tr -d '\r')"

run "the silent uninstall" "$folder/uninstall.exe" /S
[[ ! -e $folder ]] || fail "the uninstall left $(cd "$folder" && find . -mindepth 1 | tr '\n' ' ')"
echo "uninstalled: Program Files/TarvoConfig is gone"
[[ ! -e $shortcut ]] || fail "the uninstall left the menu entry"
! query "$uninstall_key" || fail "the uninstall left $uninstall_key"
! query 'HKCR\.par' || fail "the uninstall left *.par registered"
! query "$class_key" || fail "the uninstall left $class_key"
echo "uninstalled: no menu entry, no entry among installed programs, *.par not registered"

if [[ $with_window == 1 ]]; then
  # *.par taken over by another program since stays with it.
  run "the second silent install" "$installer" /S
  run "giving *.par to another program" reg add 'HKCR\.par' /ve /d Other.Document /f
  run "the second silent uninstall" "$folder/uninstall.exe" /S
  query 'HKCR\.par' || fail "the uninstall took *.par from another program"
  expect 'HKEY_CLASSES_ROOT\.par' '(Default)' Other.Document
  ! query "$class_key" || fail "the second uninstall left $class_key"
  echo "uninstalled: *.par left to the other program, $class_key gone"
fi
