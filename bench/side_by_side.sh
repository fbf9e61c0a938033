#!/usr/bin/env bash
# Frame rate of two builds of the simulator, run in turns on one virtual X server (Mesa's
# llvmpipe) so that both meet the same machine: round after round, each build runs alone
# --uncapped from the repository root for a while, and the console's frames-per-second figures
# of every run but its first (which averages in the start-up) are pooled per build.
#
#   bench/side_by_side.sh BASELINE [CANDIDATE] [rounds] [seconds] [program options...]
#
# CANDIDATE defaults to build/kestrix; options go to both, for example "--fullscreen --level 3".
# The X screen is 1280x1024, so --fullscreen draws 1280x1024 and the window 640x480.
set -euo pipefail
cd "$(dirname "$0")/.."
[ $# -ge 1 ] || { sed -n '6p' "$0" >&2; exit 2; }
baseline=$(realpath "$1")
candidate=$(realpath "${2:-build/kestrix}")
rounds=${3:-5}
seconds=${4:-8}
shift $(($# < 4 ? $# : 4))
for program in "$baseline" "$candidate"; do
  [ -x "$program" ] || { echo "$program is not an executable" >&2; exit 1; }
done

logs=$(mktemp -d)
trap 'rm -rf "$logs"' EXIT
BASELINE="$baseline" CANDIDATE="$candidate" ROUNDS="$rounds" SECONDS_TO_RUN="$seconds" \
  LOGS="$logs" OPTIONS="$*" XDG_CONFIG_HOME="$logs" \
  xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" bash -c '
    for round in $(seq "$ROUNDS"); do
      for build in baseline candidate; do
        program=$BASELINE; [ "$build" = candidate ] && program=$CANDIDATE
        # shellcheck disable=SC2086  # the options are words
        "$program" --uncapped $OPTIONS >"$LOGS/$build.$round" 2>/dev/null &
        pid=$!
        until xdotool search --onlyvisible --name "^Kestrix b0\.xxx$" >/dev/null 2>&1; do
          sleep 0.05
        done
        sleep "$SECONDS_TO_RUN"
        kill "$pid"
        wait "$pid" 2>/dev/null || true
      done
    done'

# The steady figures of one log: every frames-per-second line but the first.
steady() { tr '\r' '\n' <"$1" | sed -n 's/^  FPS = \([0-9.]*\).*/\1/p' | tail -n +2; }
median() { sort -g | awk '{ v[++n] = $1 } END { if (n) printf "%.2f", v[int((n + 1) / 2)] }'; }

echo "options: --uncapped $*; $rounds rounds of $seconds s each"
echo "| build | median frames per second | frame time, ms | per round |"
echo "|---|---|---|---|"
declare -A pooled
for build in baseline candidate; do
  rounds_text=""
  for round in $(seq "$rounds"); do
    rounds_text+="$(steady "$logs/$build.$round" | median) "
  done
  pooled[$build]=$(for round in $(seq "$rounds"); do steady "$logs/$build.$round"; done | median)
  [ -n "${pooled[$build]}" ] || { echo "$build printed no frame-rate figures" >&2; exit 1; }
  awk -v b="$build" -v f="${pooled[$build]}" -v r="$rounds_text" \
    'BEGIN { printf "| %s | %.2f | %.2f | %s|\n", b, f, 1000 / f, r }'
done
awk -v a="${pooled[baseline]}" -v b="${pooled[candidate]}" \
  'BEGIN { printf "candidate / baseline: %.2f\n", b / a }'
