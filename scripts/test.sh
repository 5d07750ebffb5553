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
log=build-windows/Testing/wine.log
status=0
ctest --preset windows --output-log "$log" || status=$?
echo "Skipped under Wine (where, why, which):"
grep -A2 ': Skipped$' "$log" | grep -v '^--$' || true
exit "$status"
