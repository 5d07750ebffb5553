#!/usr/bin/env bash
# The AppStream data validates as installed and with its screenshots, and names the menu entry
# and the file type that the package installs. Skips (exit 77) without appstreamcli.
# Usage: appstream_test.sh DATA-DIR METAINFO
set -uo pipefail

data=$1
metainfo=$2
command -v appstreamcli >/dev/null || {
  echo "SKIP: no appstreamcli (appstream)"
  exit 77
}
failed=0
fail() {
  echo "FAIL: $1"
  failed=1
}

appstreamcli validate --no-net "$metainfo" || fail "$metainfo does not validate"
with_screenshots=$(mktemp --suffix=.metainfo.xml)
trap 'rm -f "$with_screenshots"' EXIT
sed -e 's|@TARVO_SCREENSHOTS_URL@|https://screenshots.test|' -e 's|@PROJECT_VERSION@|1.0|' \
  "$data/tarvoconfig.metainfo.xml.in" >"$with_screenshots"
grep -q '<caption xml:lang="ru">' "$with_screenshots" || fail "no Russian screenshot caption"
appstreamcli validate --no-net "$with_screenshots" || fail "the data with screenshots does not validate"

launchable=$(sed -n 's|.*<launchable type="desktop-id">\(.*\)</launchable>.*|\1|p' "$metainfo")
[ -f "$data/$launchable" ] || fail "the launchable $launchable is not in $data"
mime=$(sed -n 's|.*<mime-type type="\([^"]*\)".*|\1|p' "$data/tarvoconfig-mime.xml")
grep -q "<mediatype>$mime</mediatype>" "$metainfo" || fail "$mime is not among what it provides"
grep -q "MimeType=$mime;" "$data/$launchable" || fail "the menu entry does not open $mime"
exit $failed
