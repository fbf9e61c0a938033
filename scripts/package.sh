#!/usr/bin/env bash
# Makes the Debian package and the source archive in build-package/ and checks the package:
#   build-package/kestrix_<version>_<arch>.deb   the program, its data, desktop entry, icon,
#                                                manual page, metainfo and documentation in /usr
#   build-package/kestrix-<version>.tar.gz       the sources (the working tree, without .git and
#                                                build trees), built with ./run.sh and ./test.sh
# A Release build with Debian's compiler and linker flags (dpkg-buildflags with all hardening:
# fortified functions, stack protector, read-only relocations bound at start), cpack for both,
# then lintian, which must report no errors (its warnings and notes are shown). Installs the
# missing tools first.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
kestrix_install_deps

# Dates in the package (its changelog's) from the last commit, so a rebuild gives the same bytes.
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null || date +%s)
export SOURCE_DATE_EPOCH
DEB_BUILD_MAINT_OPTIONS=hardening=+all
export DEB_BUILD_MAINT_OPTIONS
eval "$(dpkg-buildflags --export=sh)"
# CMake takes CFLAGS and the like from the environment on a first configure only, and never
# CPPFLAGS: given explicitly they hold on every run.
cmake -S . -B build-package -DCMAKE_BUILD_TYPE=Release -DKESTRIX_TESTS=OFF \
  -DCMAKE_C_FLAGS="$CPPFLAGS $CFLAGS" -DCMAKE_CXX_FLAGS="$CPPFLAGS $CXXFLAGS" \
  -DCMAKE_EXE_LINKER_FLAGS="$LDFLAGS" >/dev/null
cmake --build build-package -j"$(nproc)"
rm -f build-package/kestrix_*.deb build-package/kestrix-*.tar.gz
(cd build-package && cpack && cpack --config CPackSourceConfig.cmake)
if [ -n "$(git status --porcelain 2>/dev/null)" ]; then
  echo "Note: the source archive holds the working tree, with changes not yet committed." >&2
fi
lintian --fail-on error --display-info build-package/kestrix_*.deb
echo "lintian: no errors"
