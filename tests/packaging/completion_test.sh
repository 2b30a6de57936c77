#!/bin/bash
# The bash completion of vantrels-book, run as bash runs it on Tab: option names read from the
# program's --help (in today's layout and in Qt's), value words after a blank or "=", printers
# from --list-printers, and file names by the extension that the help text names.
# Usage: completion_test.sh COMPLETION_FILE VANTRELS_BOOK
# Exit status: 0 passed, 1 failed, 77 skipped (bash-completion is not installed).
set -u
completion=$1
book=$(readlink -f "$2")
framework=/usr/share/bash-completion/bash_completion
if [ ! -r "$framework" ]; then
  echo "SKIPPED: $framework is missing (sh scripts/install-deps installs bash-completion)"
  exit 77
fi
# shellcheck source=/dev/null
source "$framework"
# shellcheck source=/dev/null
source "$completion"

work=$(mktemp -d)
bin=$(mktemp -d)
trap 'rm -rf "$work" "$bin"' EXIT
# The real program, except for a known printer list.
cat >"$bin/vantrels-book" <<SCRIPT
#!/bin/sh
if [ "\$1" = --list-printers ]; then printf 'Office_Laser\nPlotter\nPDF file\n'; exit 0; fi
exec "$book" "\$@"
SCRIPT
# A program whose help has QCommandLineParser's layout and an option that takes a .csv file.
cat >"$bin/qt-style-book" <<'SCRIPT'
#!/bin/sh
cat <<'HELP'
Usage: vantrels-book [options] FILE.csv
Lays out the grade-stake book of a criteria report.

Options:
  -p, --project <TEXT>     Project number in the page heading.
  --csv <OUT.csv>          Writes the report table as CSV.
  --side <left|right>      Only that side of a divided roadway.
  -h, --help               Displays help on commandline options.

Arguments:
  FILE.csv                 The criteria file.
HELP
SCRIPT
chmod +x "$bin/vantrels-book" "$bin/qt-style-book"
PATH="$bin:$PATH"

cd "$work" || exit 1
mkdir roads
touch a.csv B.CSV book.pdf notes.txt

failures=0

# Completes the command line made of the given words, the cursor at the end of the last one,
# as bash would call the completion; bash splits "--side=r" into "--side" "=" "r".
run_completion() {
  local program=$1
  shift
  COMP_WORDS=("$@")
  COMP_CWORD=$(($# - 1))
  local line="" word glue=0 i=0
  for word in "$@"; do
    if ((i > 0)) && [[ $word != "=" ]] && ((!glue)); then line+=" "; fi
    line+=$word
    glue=0
    [[ $word == "=" ]] && glue=1
    i=$((i + 1))
  done
  COMP_LINE=$line
  COMP_POINT=${#line}
  COMPREPLY=()
  _vantrels_book "$program" "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}" 2>/dev/null
}

# expect NAME EXPECTED: the candidates, sorted and joined by "|", must equal EXPECTED.
expect() {
  local got
  got=$(printf '%s\n' "${COMPREPLY[@]}" | LC_ALL=C sort | paste -sd '|')
  if [[ $got == "$2" ]]; then
    echo "ok: $1"
  else
    echo "FAILED: $1: expected '$2', got '$got'"
    failures=$((failures + 1))
  fi
}

# expect_among NAME WORD...: every WORD must be a candidate.
expect_among() {
  local name=$1 word
  shift
  for word in "$@"; do
    if ! printf '%s\n' "${COMPREPLY[@]}" | grep -qxF -- "$word"; then
      echo "FAILED: $name: '$word' is not offered (offered: ${COMPREPLY[*]})"
      failures=$((failures + 1))
      return
    fi
  done
  echo "ok: $name"
}

run_completion vantrels-book vantrels-book --si
expect "an option from its start" "--side"
run_completion vantrels-book vantrels-book --pa
expect "options sharing a start" "--pages|--paper"
run_completion vantrels-book vantrels-book --
expect_among "every option of the help text" --project --date --side --pages --cells --text \
  --stations --pdf --paper --printer --font --csv --stakeout --stakeout-format --list-printers \
  --help --version
run_completion vantrels-book vantrels-book --stakeout-format ""
expect "the stake-out formats" "civil3d|tbc"
run_completion vantrels-book vantrels-book --stakeout-format = c
expect "a stake-out format after =" "civil3d"
run_completion vantrels-book vantrels-book --stakeout ""
expect "CSV files and folders after --stakeout" "B.CSV|a.csv|roads"
run_completion vantrels-book vantrels-book --stake
expect "options sharing a longer start" "--stakeout|--stakeout-format"
run_completion vantrels-book vantrels-book --side ""
expect "the words of left|right" "left|right"
run_completion vantrels-book vantrels-book --side = r
expect "a value after =" "right"
run_completion vantrels-book vantrels-book --paper ""
expect "the paper sizes" "a4|legal|letter"
run_completion vantrels-book vantrels-book --printer ""
expect "installed printers, not the desktop's PDF entry" "Office_Laser|Plotter"
run_completion vantrels-book vantrels-book --font Cou
expect "a report face, its blank quoted" 'Courier\ New'
run_completion vantrels-book vantrels-book --pdf ""
expect "PDF files and folders after --pdf" "book.pdf|roads"
run_completion vantrels-book vantrels-book --text ""
expect "criteria files in either case and folders" "B.CSV|a.csv|roads"
run_completion vantrels-book vantrels-book --side left --pages 1-2 ""
expect "criteria files after options with values" "B.CSV|a.csv|roads"
run_completion vantrels-book vantrels-book --project ""
expect "nothing for a free value" ""
run_completion vantrels-book vantrels-book --pages ""
expect "nothing for a page range" ""

run_completion qt-style-book vantrels-book --pr
expect "Qt layout: a long option beside its short one" "--project"
run_completion qt-style-book vantrels-book --csv ""
expect "Qt layout: the file kind of <OUT.csv>" "B.CSV|a.csv|roads"
run_completion qt-style-book vantrels-book --side ""
expect "Qt layout: the words of <left|right>" "left|right"

if ((failures > 0)); then
  echo "$failures completion check(s) failed"
  exit 1
fi
echo "all completion checks passed"
