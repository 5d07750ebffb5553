#!/usr/bin/env bash
# Builds everything and runs every test three times: in the release build (and its Debian
# package), in the AddressSanitizer + UndefinedBehaviorSanitizer build, where any report fails the
# test, and in the Windows cross build under Wine (with the window and its installer where the Qt
# for Windows is built).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh windows
for preset in default sanitize; do
  cmake --preset "$preset"
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done

# The Debian package of the release build, checked as a user would install it.
rm -f build/tarvoconfig_*.deb
cmake --build --preset default --target package
tests/packaging/deb_package_test.sh build/tarvoconfig_*.deb

# The Windows build: with the window and its installer where the Qt for Windows has been built
# (scripts/windows-qt.sh), else the core and tarvo.exe alone.
if scripts/windows-qt.sh --check; then
  win=windows-gui
else
  win=windows
  echo "The window for Windows is not built or tested: no Qt for Windows in $(scripts/windows-qt.sh --prefix); scripts/windows-qt.sh builds it once (about 40 minutes)."
fi
build="build-$win"
cmake --preset "$win"
cmake --build --preset "$win"
cmake --build --preset "$win" --target package
# The prefix is the one the test preset names.
scripts/wine-session.sh start "$build/wine"
trap 'scripts/wine-session.sh stop "$build/wine"' EXIT
# The whole output goes to a log, which names the tests skipped inside an executable with the
# reason; the console gets ctest's summary, and the output of what failed.
log="$build/Testing/wine.log"
mkdir -p "$build/Testing"
if ! ctest --preset "$win" -V --output-log "$log" >/dev/null; then
  ctest --preset "$win" --rerun-failed --output-on-failure || true
  exit 1
fi
grep -E 'tests passed|did not run:|\(Skipped\)$' "$log"
echo "Skipped inside the test executables under Wine (where, why, which):"
grep -A2 ': Skipped$' "$log" | grep -v -e '^--$' -e '^[0-9]*: *$' | sed 's/^[0-9]*: //' || true
