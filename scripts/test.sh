#!/usr/bin/env bash
# Builds everything and runs every test three times: in the release build, in the
# AddressSanitizer + UndefinedBehaviorSanitizer build, where any report fails the test, and in
# the Windows cross build under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh windows
for preset in default sanitize; do
  cmake --preset "$preset"
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done

cmake --preset windows
cmake --build --preset windows
# The prefix is the one the test preset names.
scripts/wine-session.sh start build-windows/wine
trap 'scripts/wine-session.sh stop build-windows/wine' EXIT
# The whole output goes to a log, which names the tests skipped inside an executable with the
# reason; the console gets ctest's summary, and the output of what failed.
log=build-windows/Testing/wine.log
mkdir -p build-windows/Testing
if ! ctest --preset windows -V --output-log "$log" >/dev/null; then
  ctest --preset windows --rerun-failed --output-on-failure || true
  exit 1
fi
grep -E 'tests passed|did not run:|\(Skipped\)$' "$log"
echo "Skipped inside the test executables under Wine (where, why, which):"
grep -A2 ': Skipped$' "$log" | grep -v -e '^--$' -e '^[0-9]*: *$' | sed 's/^[0-9]*: //' || true
