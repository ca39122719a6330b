#!/usr/bin/env bash
# Runs every fuzz target for a bounded time and prints executions and findings of each.
# Usage: fuzz/run.sh [seconds per target]   (after building build-fuzz, see CMakeLists.txt)
set -uo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=${PELQUIN_FUZZ_BUILD:-build-fuzz}
export QT_QPA_PLATFORM=offscreen
export LSAN_OPTIONS="suppressions=$PWD/fuzz/lsan.supp"
status=0
for target in history_file_fuzz setup_file_fuzz startup_notice_fuzz shortcut_fuzz instance_message_fuzz \
              script_parser_fuzz command_processor_fuzz; do
  corpus="$build/corpus/$target"
  rm -rf "$build/findings/$target"
  mkdir -p "$corpus" "$build/findings/$target"
  [ "$target" = script_parser_fuzz ] || [ "$target" = command_processor_fuzz ] &&
    cp -n fuzz/corpus/*.txt "$corpus/" 2>/dev/null
  log="$build/findings/$target.log"
  "$build/fuzz/$target" -max_total_time="$seconds" -close_fd_mask=3 \
    -artifact_prefix="$build/findings/$target/" "$corpus" >"$log" 2>&1
  result=$?
  runs=$(grep -oE 'Done [0-9]+ runs' "$log" | grep -oE '[0-9]+' || echo "?")
  found=$(find "$build/findings/$target" -type f | wc -l)
  echo "$target: $runs executions, $found findings (exit $result)"
  [ "$result" -eq 0 ] && [ "$found" -eq 0 ] || status=1
done
exit $status
