#!/usr/bin/env bash
# Includes run downward only, floor by floor, and no two units include each other: every pair
# that breaks it is named, and the status is 1.
set -u
cd "$1/src" || exit 2
floor() {
    case $1 in
    platform) echo 1 ;; core | resources) echo 2 ;; aircraft | terrain) echo 3 ;;
    cockpit | scenery) echo 4 ;; shell) echo 5 ;; *) echo 0 ;;
    esac
}
status=0
for file in */*.cpp */*.h; do
    unit=${file%.*}
    for header in $(sed -n 's|^#include "\([a-z]*/[A-Za-z]*\)\.h"$|\1|p' "$file"); do
        [ "$header" = "$unit" ] && continue
        if [ "$(floor "${header%%/*}")" -gt "$(floor "${file%%/*}")" ]; then
            echo "$file includes $header.h from a floor above" && status=1
        fi
        if grep -qsx "#include \"$unit.h\"" "$header.cpp" "$header.h"; then
            echo "$unit and $header include each other" && status=1
        fi
    done
done
exit $status
