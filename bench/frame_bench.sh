#!/usr/bin/env bash
# Frame time at every level against a frame of the terrain alone, the terrain sent, vertices and
# fragments shaded and kept, and the start-up time, under Xvfb with Mesa's llvmpipe, in a 640x480
# window or one of the given size (up to the screen's 1280x1024). Build first with ./run.sh or ./test.sh.
#
#   bench/frame_bench.sh [frames] [width height]
set -euo pipefail
cd "$(dirname "$0")/.."
[ -x build/bench/frame_bench ] || { echo "build/bench/frame_bench is missing: run ./test.sh first" >&2; exit 1; }
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" build/bench/frame_bench "${1:-200}" ${2:+"$2" "$3"} | tr '\r' '\n' | sed -n '/^Start-up/,$p'
