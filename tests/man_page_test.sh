#!/bin/sh
# Checks the man page against the program it documents.
#   man_page_test.sh render PAGE VERSION  the page renders without one warning and names VERSION
#   man_page_test.sh examples PAGE PROGRAM  each example (a "$ " command and the output below it,
#                                           between .EX and .EE) is what PROGRAM prints
set -eu
mode=$1
page=$2

render() {
  version=$1
  warnings=$(groff -man -ww -z "$page" 2>&1)
  if [ -n "$warnings" ]; then
    printf '%s\n' "$warnings"
    exit 1
  fi
  if ! grep -q "^\.TH MATHIEU12 1 [0-9-]* \"mathieu12 $version\"" "$page"; then
    echo "the page does not name version $version"
    exit 1
  fi
}

examples() {
  program=$1
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
  # One file per example, with the page's escapes for '-', "'", a kept trailing blank and '\' undone.
  awk -v dir="$work" '/^\.EE$/ { inside = 0 } inside { print > (dir "/" count) } /^\.EX$/ { inside = 1; count++ }' "$page"
  count=0
  for example in "$work"/*; do
    sed -e 's/\\-/-/g' -e "s/\\\\(aq/'/g" -e 's/\\&//g' -e 's/\\e/\\/g' "$example" > "$example.text"
    command=$(head -n 1 "$example.text" | sed 's/^\$ //')
    tail -n +2 "$example.text" > "$example.expected"
    PATH="$(dirname "$program"):$PATH" sh -c "$command" > "$example.actual"
    if ! cmp "$example.expected" "$example.actual"; then
      diff "$example.expected" "$example.actual" || true
      exit 1
    fi
    count=$((count + 1))
  done
  if [ "$count" -eq 0 ]; then
    echo "no examples found in $page"
    exit 1
  fi
  echo "$count examples match"
}

shift 2
"$mode" "$@"
