#!/bin/sh
# Checks the manual page and the README against the program they document.
#   documents_test.sh render PAGE VERSION     the page renders without one warning and names VERSION
#   documents_test.sh page PAGE PROGRAM       each example of the page's source (a "$ " command and
#                                             the output below it, between .EX and .EE) is what
#                                             PROGRAM prints
#   documents_test.sh html PAGE PROGRAM       the same for each example as the HTML manual shows it
#                                             (the text of its pre blocks, as mandoc renders them)
#   documents_test.sh readme README PROGRAM   the same for each block of the README that starts with
#                                             a "$ " command, run with PROGRAM for the built program
set -eu
mode=$1
document=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

render() {
  version=$1
  warnings=$(groff -man -ww -z "$document" 2>&1)
  if [ -n "$warnings" ]; then
    printf '%s\n' "$warnings"
    exit 1
  fi
  if ! grep -q "^\.TH MATHIEU12 1 [0-9-]* \"mathieu12 $version\"" "$document"; then
    echo "the page does not name version $version"
    exit 1
  fi
}

# Writes each example of the page's source to a file of its own in $work, with the page's escapes
# for '-', "'", a kept trailing blank and '\' undone, and each .sp as the blank line it makes.
page_examples() {
  awk -v dir="$work" '/^\.EE$/ { inside = 0 } inside { print > (dir "/" count) } /^\.EX$/ { inside = 1; count++ }' "$document"
  for example in "$work"/*; do
    sed -e 's/^\.sp$//' -e 's/\\-/-/g' -e "s/\\\\(aq/'/g" -e 's/\\&//g' -e 's/\\e/\\/g' \
      "$example" > "$example.text"
  done
}

# The same from the HTML manual: the text of each pre block, its tags dropped, its entities decoded.
html_examples() {
  mandoc -T html -W warning,stop "$document" > "$work/page.html"
  awk -v dir="$work" '
    /<pre>/ { inside = 1; count++; sub(/.*<pre>/, "") }
    inside && /<\/pre>/ { sub(/<\/pre>.*/, ""); if ($0 != "") print > (dir "/" count); inside = 0 }
    inside { print > (dir "/" count) }' "$work/page.html"
  rm "$work/page.html"
  for example in "$work"/*; do
    sed -e 's/<[^>]*>//g' -e 's/&lt;/</g' -e 's/&gt;/>/g' -e 's/&quot;/"/g' -e "s/&#39;/'/g" \
      -e 's/&amp;/\&/g' "$example" > "$example.text"
  done
}

# The same from the README: each fenced block whose first line is a "$ " command, with the built
# program's path, as the README's build command leaves it, turned into PROGRAM.
readme_examples() {
  program=$1
  awk -v dir="$work" '
    /^```/ { if (inside) { inside = 0 } else { inside = 1; first = 1 }; next }
    inside && first { first = 0; if ($0 !~ /^\$ /) { inside = 0; next }; count++ }
    inside { print > (dir "/" count) }' "$document"
  for example in "$work"/*; do
    sed "1s|build/release/app/mathieu12|$program|g" "$example" > "$example.text"
  done
}

# Runs the command of each example made above and compares what it prints with the lines below it.
check_examples() {
  program=$1
  count=0
  for example in "$work"/*.text; do
    [ -e "$example" ] || break
    command=$(head -n 1 "$example" | sed 's/^\$ //')
    tail -n +2 "$example" > "$example.expected"
    PATH="$(dirname "$program"):$PATH" sh -c "$command" > "$example.actual"
    if ! cmp "$example.expected" "$example.actual"; then
      diff "$example.expected" "$example.actual" || true
      exit 1
    fi
    count=$((count + 1))
  done
  if [ "$count" -eq 0 ]; then
    echo "no examples found in $document"
    exit 1
  fi
  echo "$count examples match"
}

page() {
  page_examples
  check_examples "$1"
}

html() {
  html_examples
  check_examples "$1"
}

readme() {
  readme_examples "$1"
  check_examples "$1"
}

shift 2
"$mode" "$@"
