#!/usr/bin/env bash
# Builds the fuzz targets (clang, ASan + UBSan) and runs each for SECONDS on its seed corpus.
# New inputs go to a scratch directory, never into the committed corpus; a crash leaves its
# input there and makes the script fail. Usage: scripts/fuzz.sh SECONDS [TARGET ...]
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"
seconds="${1:?Usage: scripts/fuzz.sh SECONDS [TARGET ...]}"
shift
targets=("$@")
[ ${#targets[@]} -eq 0 ] && targets=(par_file_fuzz exchange_fuzz form_fuzz report_text_fuzz cli_args_fuzz
  number_text_fuzz)

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "${targets[@]}"

# A smaller quarantine and no fill of fresh blocks: the targets allocate a lot per run, and the
# default settings spend most of a run in page faults.
export ASAN_OPTIONS="${ASAN_OPTIONS:-quarantine_size_mb=16:max_malloc_fill_size=0}"

scratch="$(mktemp -d "${TMPDIR:-/tmp}/tarvo-fuzz.XXXXXX")"
echo "New inputs and crash files: $scratch"
failed=()
for target in "${targets[@]}"; do
  mkdir -p "$scratch/$target/corpus" "$scratch/$target/artifacts"
  seeds="fuzz/corpus/$target"
  [ -d "$seeds" ] || seeds=""
  echo "== $target, ${seconds} s"
  # The first corpus directory takes the new inputs; the seeds are only read.
  if ! (cd "$scratch/$target" &&
    "$root/build-fuzz/fuzz/$target" -max_total_time="$seconds" -print_final_stats=1 \
      -artifact_prefix="$scratch/$target/artifacts/" corpus ${seeds:+"$root/$seeds"} \
      >"$scratch/$target/log" 2>&1); then
    failed+=("$target")
    tail -n 40 "$scratch/$target/log"
  fi
  grep -E '^stat::(number_of_executed_units|average_exec_per_sec)' "$scratch/$target/log" || true
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "Crashes in: ${failed[*]} (inputs in $scratch/*/artifacts)" >&2
  exit 1
fi
echo "No crash."
