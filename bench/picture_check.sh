#!/usr/bin/env bash
# Random views of the scenery drawn as the frame draws them and plainly, compared pixel for
# pixel under Xvfb (Mesa's llvmpipe), once per depth-buffer size asked for (default 32, 24 and
# 16 bits). Build first with ./run.sh or ./test.sh.
#
#   bench/picture_check.sh [views] [depth bits...]
#
# PICTURE_SIZE="1280 1024" draws full-screen views instead of 640 by 480 ones.
set -euo pipefail
cd "$(dirname "$0")/.."
[ -x build/bench/picture_check ] || { echo "build/bench/picture_check is missing: run ./test.sh first" >&2; exit 1; }
views=${1:-1000}
shift || true
status=0
for depth in "${@:-32 24 16}"; do
  # shellcheck disable=SC2086  # the default list is words
  for bits in $depth; do
    # shellcheck disable=SC2086  # the size is two words
    xvfb-run -a -s "-screen 0 1280x1024x24" env SDL_AUDIODRIVER=dummy \
      build/bench/picture_check "$views" "$bits" ${PICTURE_SIZE:-} | grep -a '^view \|views at' \
      || status=1
  done
done
exit $status
