#!/usr/bin/env bash
# Runs every fuzz target of a fuzzing build for a bounded time, each on its seeds plus a corpus of its own
# that grows from run to run. Fails when any target finds a crash, a sanitizer error, a leak, a timeout or
# a memory blow-up; the input is then in BUILD_DIR/fuzz/crashes/. The other targets still run.
# Usage: fuzz/run_fuzzers.sh BUILD_DIR SECONDS_PER_TARGET
set -euo pipefail

usage="usage: run_fuzzers.sh BUILD_DIR SECONDS_PER_TARGET"
build=$(cd "${1:?$usage}" && pwd)
seconds=${2:?$usage}
here=$(cd "$(dirname "$0")" && pwd)

# target, seed folder (under BUILD_DIR/fuzz/seeds)
targets=(
  "fuzz_project_file project"
  "fuzz_project_json json"
  "fuzz_ini_file ini"
  "fuzz_data_file data"
  "fuzz_download_replies download"
  "fuzz_vpanel vpanel"
)

export ASAN_OPTIONS=detect_leaks=1${ASAN_OPTIONS:+:$ASAN_OPTIONS}
export LSAN_OPTIONS=suppressions=$here/lsan_suppressions.txt:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1
export QT_QPA_PLATFORM=offscreen

mkdir -p "$build/fuzz/crashes" "$build/fuzz/logs"
failed=()
for entry in "${targets[@]}"; do
  read -r target seeds <<<"$entry"
  corpus=$build/fuzz/corpus/$seeds
  log=$build/fuzz/logs/$target.log
  mkdir -p "$corpus"
  echo "== $target: ${seconds}s on $(ls "$build/fuzz/seeds/$seeds" | wc -l) seeds" \
       "and $(ls "$corpus" | wc -l) corpus inputs"
  if ! "$build/bin/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
      -artifact_prefix="$build/fuzz/crashes/$target-" "$corpus" "$build/fuzz/seeds/$seeds" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "== $target FAILED (log: $log; input: $build/fuzz/crashes/)" >&2
    failed+=("$target")
    continue
  fi
  grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss_mb)' "$log" || true
done
if [[ ${#failed[@]} -gt 0 ]]; then
  echo "== failed: ${failed[*]}" >&2
  exit 1
fi
