#!/usr/bin/env bash
# Builds the program and starts it on a fresh configuration.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default
demo="${TMPDIR:-/tmp}/tarvo-demo"
mkdir -p "$demo"
build/src/tarvo new --exec 46 -o "$demo/demo.par" --force
build/src/tarvo info "$demo/demo.par"
