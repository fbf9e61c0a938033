#!/usr/bin/env bash
# What hostile files cost the program, measured under Xvfb (Mesa's llvmpipe):
#   - reading a large recording: its peak resident memory against the file's size, for a
#     recording of a long flight and for one of the shortest lines there are (both end in a bad
#     line, so the program reads all of it and stops before any window);
#   - start-up with a sky that declares a huge picture in a few bytes of run-length data, at the
#     largest side the reader takes (and, with KESTRIX_SIDES, others: a larger one is refused
#     with a message box, which waits for an answer);
#   - how soon Ctrl+C or SIGTERM end a run that records a flight, in flight and while the image
#     reader's message box waits for an answer.
#
#   bench/hostile_files.sh [megabytes]     (default 100; build first with ./run.sh or ./test.sh)
#   KESTRIX_PROGRAM=old/kestrix bench/hostile_files.sh     (another build)
set -euo pipefail
cd "$(dirname "$0")/.."
megabytes=${1:-100}
program=${KESTRIX_PROGRAM:-build/kestrix}
[ -x "$program" ] || { echo "$program is missing: run ./test.sh or ./run.sh first" >&2; exit 1; }
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME=$scratch/config
in_x() { xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$@"; }

echo "Reading a recording of $megabytes MB, refused at its last line:"
header=$(head -n 5 Data/Demo.rec)
python3 - "$scratch" "$megabytes" "$header" <<'EOF'
import sys
scratch, size, header = sys.argv[1], int(sys.argv[2]) << 20, sys.argv[3] + "\n"
state = (" state x 1.00 y 2.00 z -230.00 heading 0.00 pitch 0.00 bank 0.00 speed 10.00 climb 0.00"
         " throttle 150.00 flaps 0.00 gear down crashed no sum 0123456789abcdef\n")
with open(scratch + "/long.rec", "w") as f:  # a flight: a state line and four inputs a second
    f.write(header)
    step = 0
    while f.tell() < size:
        for key in ("key +", "special Left", "pad rudder 2.5", "special End"):
            step += 15
            f.write("%d %s\n" % (step, key))
        f.write("%d%s" % (step, state))
    f.write("bad\n")
with open(scratch + "/short.rec", "w") as f:  # the shortest lines: eight bytes an input
    f.write(header)
    f.write("1 key +\n" * (size // 8))
    f.write("bad\n")
EOF
echo bad > "$scratch/none.rec"  # the program's own memory, to tell the recording's from it
for name in none long short; do
  file=$scratch/$name.rec
  /usr/bin/time -f "%M %e" -o "$scratch/time" "$program" --replay "$file" 2>/dev/null || true
  read -r kilobytes seconds < <(tail -n 1 "$scratch/time")
  [ "$name" = none ] && { base=$kilobytes; continue; }
  bytes=$(stat -c %s "$file")
  printf '  %-5s %4d MB file: peak %4d MB resident, %4d MB above an empty one (%.2f times the' \
    "$name" $((bytes >> 20)) $((kilobytes >> 10)) $(((kilobytes - base) >> 10)) \
    "$(echo "($kilobytes - $base) * 1024 / $bytes" | bc -l)"
  echo " file), $seconds s"
done

echo "Start-up with a run-length sky declaring N by N pixels (a 90-step timedemo):"
{ head -n 5 Data/Demo.rec; echo "end 90"; } > "$scratch/tiny.rec"
for side in none ${KESTRIX_SIDES:-4096}; do
  rm -rf "$scratch/Data" && cp -r Data "$scratch/Data"
  [ "$side" = none ] || python3 - "$side" "$scratch/Data/Sky.bmp" <<'EOF'
import struct, sys
side, pixels = int(sys.argv[1]), bytes([0, 1])  # 8-bit run-length data: the end of the bitmap
info = struct.pack('<IiiHHIIiiII', 40, side, side, 1, 8, 1, len(pixels), 0, 0, 1, 0)
offset = 14 + len(info) + 4
with open(sys.argv[2], 'wb') as f:
    f.write(b'BM' + struct.pack('<IHHI', offset + len(pixels), 0, 0, offset))
    f.write(info + bytes(4) + pixels)
EOF
  in_x /usr/bin/time -f "%M %e" -o "$scratch/time" "$program" --data "$scratch/Data" \
    --timedemo "$scratch/tiny.rec" >/dev/null 2>&1
  read -r kilobytes seconds < <(tail -n 1 "$scratch/time")
  printf '  %-5s peak %4d MB resident, %s s\n' "$side" $((kilobytes >> 10)) "$seconds"
done

echo "From the signal to the end of a run recording a flight (milliseconds):"
cat > "$scratch/signals.sh" <<'EOF'
#!/usr/bin/env bash
# $1 program, $2 scratch, $3 "flight" or "box", $4 signal
program=$1 scratch=$2
data=Data
if [ "$3" = box ]; then
  rm -rf "$scratch/Data" && cp -r Data "$scratch/Data" && data=$scratch/Data
  printf 'x' | dd of="$data/Sky.bmp" bs=1 seek=14 conv=notrunc 2>/dev/null  # an unknown header
fi
"$program" --data "$data" --record "$scratch/flight.rec" >"$scratch/out" 2>/dev/null &
pid=$!
for _ in $(seq 300); do
  if [ "$3" = box ]; then xwininfo -root -children | grep -q '"Error"' && break
  else grep -q 'FPS' "$scratch/out" && break; fi
  sleep 0.1
done
sleep 1
start=$(date +%s%N)
kill -s "$4" "$pid"
for _ in $(seq 1000); do kill -0 "$pid" 2>/dev/null || break; sleep 0.01; done
milliseconds=$(( ($(date +%s%N) - start) / 1000000 ))
kill -KILL "$pid" 2>/dev/null && milliseconds=-1  # still running after ten seconds
{ wait "$pid"; } 2>/dev/null
echo "$milliseconds $(tail -n 1 "$scratch/flight.rec")"
EOF
for where in flight box; do
  for signal in INT TERM; do
    read -r milliseconds last < <(in_x bash "$scratch/signals.sh" "$program" "$scratch" "$where" \
      "$signal")
    [ "$milliseconds" -ge 0 ] || milliseconds="not ended after 10000"
    printf '  %-6s SIG%-4s %s ms, the recording ends "%s"\n' "$where" "$signal" "$milliseconds" \
      "$last"
  done
done
