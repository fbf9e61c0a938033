#!/usr/bin/env bash
# Frame time against the terrain floor at every level, and the start-up time, under Xvfb with
# Mesa's llvmpipe. Build first with ./run.sh or ./test.sh.
#
#   bench/frame_bench.sh [frames]
set -euo pipefail
cd "$(dirname "$0")/.."
[ -x build/bench/frame_bench ] || { echo "build/bench/frame_bench is missing: run ./test.sh first" >&2; exit 1; }
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" build/bench/frame_bench "${1:-200}" | tr '\r' '\n' | sed -n '/^Start-up/,$p'
