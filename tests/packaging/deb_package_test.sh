#!/usr/bin/env bash
# The Debian package as a user gets it: lintian finds no error, it holds the files and names the
# dependencies it should, apt resolves it, and unpacked into a temporary root its programs run,
# its man pages render and its completion offers the commands.
# Usage: deb_package_test.sh TARVOCONFIG.deb
set -uo pipefail

deb=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
failed=0
fail() {
  echo "FAIL: $1"
  failed=1
}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

version=$(dpkg-deb -f "$deb" Version)
[ "$(basename "$deb")" = "tarvoconfig_${version}_$(dpkg --print-architecture).deb" ] ||
  fail "the file name $(basename "$deb") does not say the package and version $version"

lintian --fail-on error "$deb" || fail "lintian reports errors"

files=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ { print $6 }' | sort)
expected=$(sort <<EOF_FILES
./usr/bin/tarvo
./usr/bin/tarvoconfig
./usr/share/applications/tarvoconfig.desktop
./usr/share/bash-completion/completions/tarvo
./usr/share/doc/tarvoconfig/changelog.gz
./usr/share/doc/tarvoconfig/copyright
./usr/share/icons/hicolor/64x64/apps/tarvoconfig.png
./usr/share/icons/hicolor/scalable/apps/tarvoconfig.svg
./usr/share/man/man1/tarvo.1.gz
./usr/share/man/man1/tarvoconfig.1.gz
./usr/share/metainfo/example.tarvo.TarvoConfig.metainfo.xml
./usr/share/mime/packages/tarvoconfig.xml
./usr/share/tarvoconfig/help/TarvoConfig.html
EOF_FILES
)
if [ "$files" != "$expected" ]; then
  fail "the package's files differ from the list (< list, > package)"
  diff <(echo "$expected") <(echo "$files")
fi

depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6widgets6 libqt6printsupport6 libstdc++6 qt6-qpa-plugins \
  qt6-translations-l10n fonts-dejavu-core; do
  [[ ", $depends," == *", $package "* || ", $depends," == *", $package,"* ]] ||
    fail "Depends lacks $package: $depends"
done
description=$(dpkg-deb -f "$deb" Description)
grep -q 'flow computer' <<<"$description" || fail "no English description"
grep -q 'вычислител' <<<"$description" || fail "no Russian description"
dpkg-deb -e "$deb" "$work/control"
scripts=$(ls "$work/control" | grep -vx -e control -e md5sums)
[ -z "$scripts" ] || fail "maintainer scripts: $scripts"

apt-get install --simulate -qq "$deb" >"$work/apt.log" 2>&1 ||
  fail "apt cannot install it: $(cat "$work/apt.log")"

root=$work/root
dpkg-deb -x "$deb" "$root"
bin=$root/usr/bin
[ "$("$bin/tarvo" --version)" = "tarvo $version" ] || fail "tarvo --version is not $version"
[ "$("$bin/tarvoconfig" --version)" = "TarvoConfig $version" ] ||
  fail "tarvoconfig --version is not $version"
zcat "$root/usr/share/doc/tarvoconfig/changelog.gz" | head -1 | grep -qF "tarvoconfig ($version)" ||
  fail "the changelog's last entry is not version $version"
# The window runs with its file until stopped.
"$bin/tarvo" new --exec 46 -o "$work/a.par" >/dev/null || fail "tarvo new failed"
QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=$work/config timeout 3 "$bin/tarvoconfig" "$work/a.par" \
  >"$work/window.log" 2>&1
status=$?
[ $status -eq 124 ] || fail "the window ended with status $status: $(cat "$work/window.log")"

for page in tarvo tarvoconfig; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$root/usr/share/man/man1/$page.1.gz" \
    2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "man warns on $page(1): $warnings"
done
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml >/dev/null ||
  fail "the AppStream data does not validate"
bash "$here/completion_test.sh" "$bin/tarvo" "$root/usr/share/bash-completion/completions/tarvo" ||
  fail "the installed completion"

[ $failed -eq 0 ] && echo "The package $(basename "$deb") passed."
exit $failed
