#!/usr/bin/env bash
# Builds everything and runs every test twice: in the release build, then in the
# AddressSanitizer + UndefinedBehaviorSanitizer build, where any report fails the test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
for preset in default sanitize; do
  cmake --preset "$preset"
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
