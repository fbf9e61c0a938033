#!/usr/bin/env bash
# The shipped one-minute flight (Data/Demo.rec) as a timedemo under Xvfb (Mesa's llvmpipe): one
# step per drawn frame, so every build and machine draws the same 3600 frames. Prints the
# program's timedemo line once per run.
#
#   bench/timedemo.sh [runs] [options...]
#   KESTRIX_BUILDS="old/kestrix build/kestrix" bench/timedemo.sh [runs] [options...]
#
# Options go to the program, for example "--fullscreen --level 3" (a level given on the command
# line replaces the recording's, which only changes the drawing). With several programs in
# KESTRIX_BUILDS each run takes them in turn, so that they meet the same machine. Build first
# with ./run.sh or ./test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-1}
shift || true
read -r -a programs <<<"${KESTRIX_BUILDS:-build/kestrix}"
for program in "${programs[@]}"; do
  [ -x "$program" ] || { echo "$program is missing: run ./test.sh or ./run.sh first" >&2; exit 1; }
done
for run in $(seq "$runs"); do
  for program in "${programs[@]}"; do
    line=$(xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
      env SDL_AUDIODRIVER=dummy "$program" --timedemo Data/Demo.rec "$@" | grep -a 'Timedemo:')
    if [ ${#programs[@]} -gt 1 ]; then echo "$program:$line"; else echo "$line"; fi
  done
done
