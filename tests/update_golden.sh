#!/bin/sh
# Rewrites every golden transcript's recorded output from what PROGRAM does with its input, after
# an intended change of what the program prints; read the result in `git diff` before committing.
#   tests/update_golden.sh [PROGRAM]   (default: build/dev/app/mathieu12, from the repository root)
# NAME.out is always written; NAME.err only when standard error is not empty and NAME.status only
# when the status is not 0, as the transcript runner reads them.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
program=${1:-$root/build/dev/app/mathieu12}
if [ ! -x "$program" ]; then
  echo "no program at $program: build it first (cmake --workflow --preset dev)" >&2
  exit 1
fi
for input in "$root"/tests/golden/*.in; do
  transcript=${input%.in}
  "$program" < "$input" > "$transcript.out" 2> "$transcript.err"
  status=$?
  [ -s "$transcript.err" ] || rm "$transcript.err"
  if [ "$status" -eq 0 ]; then
    rm -f "$transcript.status"
  else
    printf %s "$status" > "$transcript.status"
  fi
done
git -C "$root" status --short -- tests/golden
