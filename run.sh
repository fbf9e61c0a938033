#!/usr/bin/env bash
# Installs what is missing, builds, and starts the simulator from the repository root, where
# Data/ is. Arguments are passed on to the program (GLUT options such as -display).
set -euo pipefail
cd "$(dirname "$0")"
source scripts/deps.sh
kestrix_install_deps
kestrix_build kestrix
exec build/kestrix "$@"
