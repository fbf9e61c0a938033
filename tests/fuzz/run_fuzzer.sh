#!/usr/bin/env bash
# Runs the bitmap reader's libFuzzer binary: a session, or with -runs=0 each corpus file once.
#   run_fuzzer.sh FUZZER OUT_DIR [LIBFUZZER_OPTION...] -- SEED_DIR...
# New inputs go to OUT_DIR/fuzz-work, emptied first; crash files to OUT_DIR/artifacts. Seed
# directories that do not exist (yet) are left out. The exit status is the fuzzer's.
# A tiny run-length file may decode into a picture of up to 48 MiB (4096 pixels on a side, the
# reader's limit), which AddressSanitizer takes a while to map and unmap: hence the memory limits
# and the long per-input timeout.
set -euo pipefail
fuzzer=$1 out=$2
shift 2
options=()
while [ $# -gt 0 ] && [ "$1" != "--" ]; do options+=("$1"); shift; done
[ $# -gt 0 ] && shift
seeds=()
for dir in "$@"; do [ -d "$dir" ] && seeds+=("$dir"); done
rm -rf "$out/fuzz-work"
mkdir -p "$out/fuzz-work" "$out/artifacts"
exec "$fuzzer" -max_len=4096 -timeout=60 -rss_limit_mb=4096 -malloc_limit_mb=4096 \
  -print_final_stats=1 -artifact_prefix="$out/artifacts/" "${options[@]}" \
  "$out/fuzz-work" "${seeds[@]}"
