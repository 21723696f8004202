#!/usr/bin/env bash
# Runs every fuzz target for FUZZ_SECONDS (default 60) each, one after the other. New corpus entries are kept in
# fuzz/<target>/corpus (not in git); a failing input is written to fuzz/<target>/crashes/, which the test run
# replays from then on. Prints each target's executions per second; fails if any target found a failure.
set -uo pipefail
cd "$(dirname "$0")/.."
seconds="${FUZZ_SECONDS:-60}"
bin=build/fuzz/bin
# A leak of ours fails an input as any other fault does; only the font library's own memory is let go.
export LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(screen_output screen_edit rcscript settings keymap jobfile)
failed=()
summary=()
for t in "${targets[@]}"; do
  dir=fuzz/$t
  mkdir -p "$dir/corpus" "$dir/crashes"
  args=(-max_total_time="$seconds" -timeout=120 -rss_limit_mb=2048 -print_final_stats=1
        -artifact_prefix="$dir/crashes/")
  [ -f "$dir/dict" ] && args+=(-dict="$dir/dict")
  # A target's own libFuzzer flags (a larger -max_len for inputs that must be long to reach a bound).
  [ -f "$dir/options" ] && read -ra extra <"$dir/options" && args+=("${extra[@]}")
  log=build/fuzz/$t.log
  echo "== $t: ${seconds}s"
  if "$bin/fuzz_$t" "${args[@]}" "$dir/corpus" "$dir/seeds" >"$log" 2>&1; then
    :
  else
    failed+=("$t")
    grep -E 'ERROR|invariant broken|SUMMARY|Test unit written' "$log" | head -5
  fi
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  summary+=("$(printf '%-14s %8s exec/s %10s runs' "$t" "${rate:-?}" "${runs:-?}")")
done
printf '%s\n' "${summary[@]}"
if [ ${#failed[@]} -gt 0 ]; then
  echo "failures in: ${failed[*]} (inputs in fuzz/<target>/crashes/; full logs in build/fuzz/<target>.log)"
  exit 1
fi
