#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test (labels unit, gl, e2e and any others)
# under a virtual X server of its own. Arguments are passed on to ctest (for example -L unit).
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
kestrix_install_deps
kestrix_build
# -noreset: by default the server resets whenever its last client leaves, and a test that
# connects during the reset finds no display.
xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" \
  ctest --test-dir build --output-on-failure -j"$(nproc)" "$@"
