#!/bin/sh
# Checks the Debian package that `cmake --workflow --preset package` built: its contents and
# Depends, the unpacked program against a golden transcript and the examples of the unpacked man
# page, and lintian, which must report no error (its warnings and notes are printed).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
deb=$(ls "$root"/build/package/mathieu12_*_*.deb)
echo "checking $deb"

contents=$(dpkg-deb --contents "$deb")
for path in ./usr/bin/mathieu12 ./usr/share/man/man1/mathieu12.1.gz \
    ./usr/share/doc/mathieu12/copyright ./usr/share/doc/mathieu12/changelog.gz; do
  if ! printf '%s\n' "$contents" | grep -q " $path\$"; then
    echo "missing from the package: $path"
    exit 1
  fi
done
depends=$(dpkg-deb --field "$deb" Depends)
case $depends in
  *libc6*) echo "Depends: $depends" ;;
  *) echo "Depends does not name libc6: $depends"; exit 1 ;;
esac

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work"
cmake -DTRANSCRIPT="$root/tests/golden/solver_reversed_row" -DPROGRAM="$work/usr/bin/mathieu12" \
  -P "$root/tests/run_transcript.cmake"
gunzip -c "$work/usr/share/man/man1/mathieu12.1.gz" > "$work/mathieu12.1"
sh "$root/tests/documents_test.sh" page "$work/mathieu12.1" "$work/usr/bin/mathieu12"

lintian --fail-on error --display-info "$deb"
echo "package checked"
