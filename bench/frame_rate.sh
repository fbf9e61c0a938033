#!/usr/bin/env bash
# Frame rate of the running simulator under Xvfb (Mesa's llvmpipe): starts build/kestrix
# --uncapped (as fast as it can draw) from the repository root, lets it run, and summarises the
# console's frames-per-second figures. The first figure averages in the start-up and is
# reported apart.
#
#   bench/frame_rate.sh [seconds] [keys...]
#
# Keys, if given, are sent to the main window with xdotool once it is up (for example
# "a a" to raise the terrain level twice). Build first with ./run.sh or ./test.sh.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-10}
shift || true
[ -x build/kestrix ] || { echo "build/kestrix is missing: run ./test.sh or ./run.sh first" >&2; exit 1; }

log=$(mktemp) config=$(mktemp -d)  # the player's settings neither read nor changed
trap 'rm -f "$log"; rm -rf "$config"' EXIT
KEYS="$*" SECONDS_TO_RUN="$seconds" LOG="$log" XDG_CONFIG_HOME="$config" \
  xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash -c '
    start=$(date +%s.%N)
    build/kestrix --uncapped >"$LOG" &
    pid=$!
    until window=$(xdotool search --onlyvisible --name "^Kestrix b0\.xxx$" 2>/dev/null | head -n1) && [ -n "$window" ]; do
      sleep 0.05
    done
    awk -v now="$(date +%s.%N)" -v start="$start" "BEGIN { printf \"main window up after %.2f s\\n\", now - start }"
    for key in $KEYS; do xdotool key --window "$window" "$key"; sleep 0.2; done
    sleep "$SECONDS_TO_RUN"
    kill "$pid"
    wait "$pid" 2>/dev/null || true'

figures=$(tr '\r' '\n' <"$log" | sed -n 's/^  FPS = \([0-9.]*\).*/\1/p')
[ -n "$figures" ] || { echo "no frame-rate figures" >&2; exit 1; }
echo "first figure (with start-up): $(head -n1 <<<"$figures")"
tail -n +2 <<<"$figures" | sort -g | awk '
  { v[++n] = $1 }
  END {
    if (n == 0) exit
    printf "steady figures: %d, median %.2f, min %.2f, max %.2f frames per second\n", n, v[int((n + 1) / 2)], v[1], v[n]
  }'
