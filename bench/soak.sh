#!/usr/bin/env bash
# Long run of the simulator under Xvfb (Mesa's llvmpipe) with a monkey at the controls: starts
# <build-dir>/kestrix from the repository root, sends it random keys of its key table and random
# left clicks in the options window (never the right button, never EXIT) a few times a second,
# samples its resident memory and its heap every 10 s, and at the end quits as a player does, with
# a right click in the main window. Sound goes to SDL's disk driver, so the crash sound really
# plays.
#
#   bench/soak.sh [minutes] [build-dir]        (defaults: 10 minutes, build)
#
# The monkey draws from a fixed seed: every run sends the same keys and clicks in the same order
# (their timing, and so the flight, still varies a little). Reports the frames run, the resident
# memory and the heap at start, after the first minute, at their highest, at the end and minute by
# minute, stderr and the exit status; exits non-zero if the program did not end with 0 or wrote
# anything to stderr.
#
# The heap (the bytes malloc has handed out and not got back, or AddressSanitizer's count in a
# sanitizer build) comes from <build-dir>/bench/libheap_probe.so (target heap_probe), preloaded
# into the program. It tells the two kinds of growth apart: llvmpipe keeps the shader variants it
# compiles in mmapped pages outside malloc, our own data lives in malloc's heap. A flat heap
# under a growing resident size is the driver's shader variants; a growing heap is ours (or state
# the driver keeps in malloc: its shader compiler allocates there too, in passing peaks of tens of
# MiB that a 10 s sample may catch, so watch the low points rather than the max). Without the
# probe the run goes on and the summary says so.
set -euo pipefail
cd "$(dirname "$0")/.."
minutes=${1:-10}
build=${2:-build}
[ -x "$build/kestrix" ] || { echo "$build/kestrix is missing: run ./test.sh or ./run.sh first" >&2; exit 1; }

# The rest runs with a virtual X server of its own: the script starts itself again under it.
if [ -z "${KESTRIX_SOAK_DISPLAY:-}" ]; then
  KESTRIX_SOAK_DISPLAY=1 exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$minutes" "$build"
fi

# rss: one line per sample, "seconds resident-KiB heap-bytes" ("-" while the probe has not
# written yet or without it); heap: the probe's own log, a line a second.
out=$(mktemp) err=$(mktemp) audio=$(mktemp) rss=$(mktemp) heap=$(mktemp)
# Settings of its own: the random keys must not leave theirs to the player, nor find the player's.
config=$(mktemp -d)
pid=
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then kill "$pid"; wait "$pid" 2>/dev/null || true; fi
  rm -f "$out" "$err" "$audio" "$rss" "$heap"
  rm -rf "$config"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# A build with the sanitizers: Mesa's driver is loaded from the start, so that it is still loaded
# when LeakSanitizer looks at exit and its own leaks can be told from the program's (lsan.supp).
preload=() extra_env=()
asan=$(ldd "$build/kestrix" | awk '/libasan/ { print $3 }')
if [ -n "$asan" ]; then
  driver=$(ls /usr/lib/*/dri/swrast_dri.so | head -n1)
  preload=("$asan" "$driver")
  extra_env=(LSAN_OPTIONS="suppressions=$PWD/bench/lsan.supp:print_suppressions=0")
fi
# The heap probe comes after ASan's runtime, which must be the first library loaded.
probe=$build/bench/libheap_probe.so
if [ -f "$probe" ]; then
  preload+=("$(realpath "$probe")")
  extra_env+=(KESTRIX_HEAP_LOG="$heap")
fi
if [ ${#preload[@]} -gt 0 ]; then extra_env+=(LD_PRELOAD="${preload[*]}"); fi
# MESA_DEBUG makes Mesa report every GL error on stderr.
env "${extra_env[@]}" MESA_DEBUG=1 SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$audio" \
  XDG_CONFIG_HOME="$config" "$build/kestrix" \
  >"$out" 2>"$err" &
pid=$!

# Appends a sample: seconds run, resident KiB and the probe's latest heap figure.
sample() {
  local kib bytes
  kib=$(ps -o rss= -p "$pid" || echo 0)
  bytes=$(tail -n1 "$heap")
  echo "$SECONDS $kib ${bytes:--}" >>"$rss"
}

# Waits up to 30 s for a window with exactly this title and prints its id.
find_window() {
  local id
  for _ in $(seq 300); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1) || true
    [ -n "$id" ] && { echo "$id"; return; }
    kill -0 "$pid" 2>/dev/null || { echo "kestrix ended before its window \"$1\" appeared" >&2; break; }
    sleep 0.1
  done
  kill -0 "$pid" 2>/dev/null && echo "no window \"$1\" within 30 s" >&2
  sed -n 1,20p "$err" >&2
  exit 1
}
main=$(find_window '^Kestrix b0\.xxx$')
options=$(find_window '^Options Box$')
sleep 1  # the options window fits itself to its controls in its first frames
eval "$(xdotool getwindowgeometry --shell "$options")"  # WIDTH and HEIGHT of the options window
audio_start=$(stat -c %s "$audio")

# Every key of the table but Esc, which ends the program, and F12, which would leave pictures
# behind (Home is unused).
keys=(plus minus Up Down Left Right F1 F2 F3 F4 Page_Up Page_Down End
      g t s c p h r a z d 1 2 3 4 5 6 7 8 9)
RANDOM=20240601
actions=0 died=0
SECONDS=0
next_sample=0
while [ "$SECONDS" -lt $((minutes * 60)) ]; do
  kill -0 "$pid" 2>/dev/null || { died=1; break; }
  if [ "$SECONDS" -ge "$next_sample" ]; then
    sample
    next_sample=$((next_sample + 10))
  fi
  if [ $((RANDOM % 4)) -gt 0 ]; then
    xdotool key --window "$main" "${keys[RANDOM % ${#keys[@]}]}" 2>/dev/null || true
  else
    # A left click anywhere in the options window but on and around the EXIT button.
    while x=$((RANDOM % WIDTH)) y=$((RANDOM % HEIGHT)); [ "$x" -ge 170 ] && [ "$x" -le 285 ] &&
      [ "$y" -ge 138 ] && [ "$y" -le 174 ]; do :; done
    xdotool mousemove --window "$options" "$x" "$y" click 1 2>/dev/null || true
  fi
  actions=$((actions + 1))
  sleep "0.$((2 + RANDOM % 3))"
done
ran=$SECONDS
if [ "$died" = 0 ] && kill -0 "$pid" 2>/dev/null; then
  sample
  xdotool mousemove --window "$main" 320 240 click 3
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  kill -0 "$pid" 2>/dev/null && { echo "still running 10 s after the right click: killed" >&2; kill "$pid"; }
else
  died=1
fi
status=0
wait "$pid" || status=$?
pid=

# A figure every 50 frames; after a crash those still in the program's stdout buffer are lost.
frames=$(tr '\r' '\n' <"$out" | grep -c '^  FPS = ' || true)
audio_end=$(stat -c %s "$audio")
audio_sound=$( (tr -d '\0' <"$audio" || true) | head -c 1 | wc -c)
stderr_lines=$(grep -c '' "$err" || true)
awk -v s="$ran" 'BEGIN { printf "minutes run:     %.2f\n", s / 60 }'
echo "actions sent:    $actions"
echo "frames run:      $((frames * 50))"
awk '{ kib[NR] = $2; if ($2 > max) max = $2; if (!after && $1 >= 60) after = $2 }
  END {
    if (NR == 0) { print "resident memory: no samples"; exit }
    printf "resident memory: start %.1f MiB, max %.1f MiB, end %.1f MiB (%d samples)\n", kib[1] / 1024, max / 1024, kib[NR] / 1024, NR
    if (after) printf "after 1 minute:  %.1f MiB, at the end %.1f MiB\n", after / 1024, kib[NR] / 1024
    printf "each minute:    "
    for (i = 1; i <= NR; i += 6) printf " %.0f", kib[i] / 1024
    printf " MiB\n"
  }' "$rss"
if [ -f "$probe" ]; then
  # Samples taken before the probe's first line are left out; "each minute" shows them as "-".
  awk '{ b[NR] = $3; if ($3 == "-") next
         n++; last = $3; if (n == 1) first = $3; if ($3 > max) max = $3; if (!after && $1 >= 60) after = $3 }
    END {
      if (n == 0) { print "heap:            no samples (the probe wrote nothing)"; exit }
      m = 1048576
      printf "heap:            start %.1f MiB, max %.1f MiB, end %.1f MiB (%d samples)\n", first / m, max / m, last / m, n
      if (after) printf "heap at 1 min:   %.1f MiB, at the end %.1f MiB\n", after / m, last / m
      printf "heap each min:  "
      for (i = 1; i <= NR; i += 6) if (b[i] == "-") printf " -"; else printf " %.1f", b[i] / m
      printf " MiB\n"
    }' "$rss"
else
  echo "heap:            no probe (build bench/heap_probe: cmake --build $build --target heap_probe)"
fi
echo "stderr lines:    $stderr_lines"
[ "$stderr_lines" -eq 0 ] || { echo "--- first 20 lines of stderr:"; sed -n 1,20p "$err"; echo "---"; }
if [ "$audio_end" -gt "$audio_start" ]; then
  echo "disk audio:      grew by $((audio_end - audio_start)) bytes ($([ "$audio_sound" -gt 0 ] && echo "with sound" || echo "silence only"))"
else
  echo "disk audio:      did not grow"
fi
[ "$died" = 0 ] && echo "exit status:     $status" || echo "exit status:     $status (died early, before the right click)"
[ "$status" -eq 0 ] && [ "$stderr_lines" -eq 0 ]
