#!/bin/sh
# The AppStream file and the desktop entry: both validators pass without complaint, the
# release is the programs' version, the screenshots are the README's pictures, and the entry
# opens a criteria file in the desktop program as "Vantrels Report".
# Usage: metadata_test.sh METAINFO DESKTOP_ENTRY VANTRELS_BOOK DOCS_DIR
# Exit status: 0 passed, 1 failed, 77 skipped (a validator is not installed).
set -u
metainfo=$1
desktop=$2
book=$3
docs=$4
for tool in appstreamcli desktop-file-validate; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIPPED: $tool is missing (sh scripts/install-deps)"
    exit 77
  fi
done
failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

appstreamcli validate --no-net --strict --pedantic "$metainfo" ||
  fail "appstreamcli validate --no-net --strict --pedantic $metainfo"
report=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $report"
[ -z "$report" ] || fail "desktop-file-validate has hints: $report"

version=$("$book" --version | sed -n 's/^vantrels-book //p')
grep -q "<release version=\"$version\" date=\"[0-9]\{4\}-[0-9][0-9]-[0-9][0-9]\"" "$metainfo" ||
  fail "the release is not version '$version' with a date"

images=$(sed -n 's|.*<image>.*/\([^/<]*\)</image>.*|\1|p' "$metainfo")
[ -n "$images" ] || fail "no screenshots"
for image in $images; do
  [ -f "$docs/$image" ] || fail "screenshot $image is not in $docs"
done
grep -q "<launchable type=\"desktop-id\">${desktop##*/}</launchable>" "$metainfo" ||
  fail "the launchable is not ${desktop##*/}"

entry() { sed -n "s/^$1=//p" "$desktop"; }
[ "$(entry Name)" = "Vantrels Report" ] || fail "Name is '$(entry Name)'"
[ "$(entry Exec)" = "vantrels %f" ] || fail "Exec is '$(entry Exec)', not one file to vantrels"
[ "$(entry Icon)" = "vantrels" ] || fail "Icon is '$(entry Icon)'"
entry MimeType | tr ';' '\n' | grep -qx text/csv || fail "MimeType lacks text/csv"

if [ "$failures" -gt 0 ]; then
  echo "$failures metadata check(s) failed"
  exit 1
fi
echo "all metadata checks passed"
