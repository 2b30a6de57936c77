#!/bin/sh
# The man pages as man shows them: no warnings from man, the sections a reader looks for, every
# option of the program's --help under OPTIONS and its version in the footer. Then the help
# shaping for help2man on help texts in today's layout and in QCommandLineParser's, so that the
# pages keep their synopsis and options when a program's help changes layout.
# Usage: man_pages_test.sh HELP_FOR_MAN PROGRAM PAGE [PROGRAM PAGE...]
# Exit status: 0 passed, 1 failed, 77 skipped (man or help2man is not installed).
set -u
help_for_man=$1
shift
for tool in man help2man; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIPPED: $tool is missing (sh scripts/install-deps)"
    exit 77
  fi
done
export LC_ALL=C.UTF-8 MANWIDTH=200
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

# The text of one section of a rendered page: from its heading to the next heading.
section() {
  awk -v name="$2" '/^[A-Z]/ { inside = ($0 == name); next } inside' "$1"
}

# check_page PROGRAM PAGE: the rendered page against the program's --help and --version.
check_page() {
  program=$1
  page=$2
  name=${program##*/}
  text="$work/$name.txt"
  if ! man --warnings -l "$page" >"$text" 2>"$work/warnings"; then
    fail "$name: man cannot show $page"
    return
  fi
  [ -s "$work/warnings" ] && fail "$name: man warns: $(cat "$work/warnings")"
  for heading in NAME SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS" FILES EXAMPLES "SEE ALSO"; do
    grep -qx "$heading" "$text" || fail "$name: no $heading section"
  done
  section "$text" NAME | grep -q "^ *$name - " || fail "$name: NAME does not start with '$name - '"
  section "$text" SYNOPSIS | grep -q "^ *$name " || fail "$name: SYNOPSIS does not name $name"
  section "$text" OPTIONS >"$work/options"
  for option in $("$program" --help | grep -oE '^[[:space:]]+(-[[:alnum:]], )?--[[:alnum:]-]+' |
    grep -oE -- '--[[:alnum:]-]+'); do
    grep -qE -- "(^|[ ,])$option([ ,=]|$)" "$work/options" || fail "$name: $option is not under OPTIONS"
  done
  version=$("$program" --version)
  tail -n 1 "$text" | grep -qF "$version" || fail "$name: the footer does not name '$version'"
  echo "checked: $page"
}

while [ "$#" -ge 2 ]; do
  check_page "$1" "$2"
  shift 2
done

# fake_program NAME HELP_FILE: a program that prints "NAME 9.8.7" for --version and HELP_FILE
# for --help, PROGRAM in it replaced by the path it was started by.
fake_program() {
  cat >"$work/$1" <<SCRIPT
#!/bin/sh
if [ "\$1" = --version ]; then echo "$1 9.8.7"; else sed "s|PROGRAM|\$0|" "$2"; fi
SCRIPT
  chmod +x "$work/$1"
}

# render NAME: the page help2man writes through the help shaping, as text.
render() {
  help2man --no-info --output="$work/$1.1" "sh $help_for_man $work/$1" 2>"$work/help2man" ||
    fail "$1: help2man failed: $(cat "$work/help2man")"
  man --warnings -l "$work/$1.1" 2>"$work/warnings"
  [ -s "$work/warnings" ] && fail "$1: man warns: $(cat "$work/warnings")"
}

cat >"$work/usage-forms.txt" <<'HELP'
Usage: book [--project TEXT] [--side left|right]
            [--pages FROM-TO] (--text | --stations) FILE.csv
       book [--project TEXT] --pdf OUT.pdf
            [--paper letter|a4|legal] FILE.csv
       book --list-printers | --help | --version
Lays out a book.
  --project TEXT      project number
  --pdf OUT.pdf       write a PDF file
  --paper SIZE        the PDF's paper: letter (default), a4 or legal;
                      quarter-inch margins
  --list-printers     list the printers
HELP
fake_program book "$work/usage-forms.txt"
render book >"$work/book.txt"
section "$work/book.txt" SYNOPSIS >"$work/synopsis"
grep -q "book .*--pages FROM-TO.*--stations) FILE.csv" "$work/synopsis" ||
  fail "continued usage lines: the first form is not joined: $(cat "$work/synopsis")"
grep -q "book .*--pdf OUT.pdf.*\[--paper letter|a4|legal\] FILE.csv" "$work/synopsis" ||
  fail "continued usage lines: the second form is not joined"
grep -q "book --list-printers | --help | --version" "$work/synopsis" ||
  fail "continued usage lines: the third form is missing"
section "$work/book.txt" OPTIONS | grep -q -- "--paper SIZE" ||
  fail "options without a heading are not under OPTIONS"
section "$work/book.txt" DESCRIPTION | grep -q -- "--project" &&
  fail "an option landed in DESCRIPTION"

cat >"$work/qt-layout.txt" <<'HELP'
Usage: PROGRAM [options] FILE.csv
Lays out a book.

Options:
  -p, --project <TEXT>  Project number in the page heading.
  --csv <OUT.csv>       Writes the report table as CSV.
  -h, --help            Displays help on commandline options.

Arguments:
  FILE.csv              The criteria file.
HELP
fake_program qtbook "$work/qt-layout.txt"
render qtbook >"$work/qtbook.txt"
section "$work/qtbook.txt" SYNOPSIS | grep -q "^ *qtbook \[options\] FILE.csv" ||
  fail "Qt layout: the synopsis is lost or names the program by its path"
section "$work/qtbook.txt" OPTIONS >"$work/qt-options"
for option in "-p, --project <TEXT>" "--csv <OUT.csv>" "FILE.csv"; do
  grep -qF -- "$option" "$work/qt-options" || fail "Qt layout: '$option' is not under OPTIONS"
done

if [ "$failures" -gt 0 ]; then
  echo "$failures man page check(s) failed"
  exit 1
fi
echo "all man page checks passed"
