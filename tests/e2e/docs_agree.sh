#!/bin/sh
# Every option and key of "kestrix --help" ($1) is in the manual's item tags ($2) and README.md
# ($3, the keys in its key table), and every option of the manual is in --help; as whole words.
help=$("$1" --help) || exit 1
bad=0 man=$2 readme=$3
tags() { sed -n "/^\.SH $1\$/,/^\.SH/p" "$man" | sed -n '/^\.TP/{n;s/\\f.//g;s/\\-/-/g;p;}'; }
options() { grep -oE -- '(^|[ ,(`])--?[a-z]{2,}' | grep -oE -- '-.*' | sort -u; }
keys=$(printf '%s\n' "$help" | sed -n '/^Keys/,/^A gamepad/{s/^  //;s/  .*//p;}' | tr ', ' '\n\n')
check() {  # where, its text, the words it must hold
  where=$1 text=$2; shift 2
  for w; do printf '%s\n' "$text" | grep -qwF -- "$w" || { echo "$where lacks $w"; bad=1; }; done
}
set -f
check "the manual's OPTIONS" "$(tags OPTIONS)" $(printf '%s\n' "$help" | options)
check "the manual's KEYS" "$(tags KEYS)" $keys
check README.md "$(cat "$readme")" $(printf '%s\n' "$help" | options)
check "README.md's key table" "$(sed -n '/^| Input (main window)/,/^$/p' "$readme")" $keys
check "--help" "$help" $(tags OPTIONS | options)
exit $bad
