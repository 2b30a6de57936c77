#!/bin/sh
# vantrels-book against the file system a careless or unlucky user has: the input named as the
# output or given as the standard output, a FIFO, a directory, a missing or read-only folder, a
# full disk, a file size limit, a run killed while it writes, a standard output that is full or
# closed, file names that are not UTF-8. The user's files must come out untouched and every
# failure must say which path and why.
# Usage: output_safety_test.sh VANTRELS_BOOK EXAMPLES_DIR
# Exit status: 0 passed, 1 failed. Cases that need root (a small tmpfs) say so and are skipped.
set -u

# Absolute paths: the test works in a scratch folder of its own.
book=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
examples=$(cd "$2" && pwd)
failures=0
work=$(mktemp -d "${TMPDIR:-/tmp}/vantrels-output.XXXXXX") || exit 1
mounts=""
writer=""

cleanup() {
  [ -n "$writer" ] && kill -KILL "$writer" 2>/dev/null
  for m in $mounts; do umount "$m" 2>/dev/null; done
  chmod -R u+rwx "$work" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP
cd "$work" || exit 1

fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

# Runs vantrels-book with a time limit (a hang is a failure, not a stuck test); its output goes
# to out, its messages to err, its status to $status.
run() {
  timeout 60 "$book" "$@" >out 2>err
  status=$?
}

expect() {
  expected_status=$1
  expected_text=$2
  what=$3
  [ "$status" -eq "$expected_status" ] ||
    fail "$what: exit status $status, expected $expected_status; stderr: $(cat err)"
  if [ -z "$expected_text" ]; then
    [ ! -s err ] || fail "$what: unexpected messages: $(cat err)"
    return
  fi
  grep -qF -- "$expected_text" err || fail "$what: stderr lacks \"$expected_text\": $(cat err)"
  # One message; a usage error adds the pointer to --help.
  lines=1
  [ "$expected_status" -eq 2 ] && lines=2
  [ "$(wc -l <err)" -eq "$lines" ] || fail "$what: not $lines line(s) of message: $(cat err)"
  [ "$expected_status" -ne 2 ] || [ "$(tail -n 1 err)" = "Try 'vantrels-book --help' for more information." ] ||
    fail "$what: the usage error does not end with the pointer to --help: $(cat err)"
}

# Only the names given are in the folder: no temporary file is left behind.
expect_names() {
  folder=$1
  shift
  found=$(ls -A "$folder" | tr '\n' ' ')
  [ "$found" = "$* " ] || fail "$folder holds \"$found\", expected \"$* \""
}

mount_tmpfs() {
  mkdir -p "$1"
  [ "$(id -u)" -eq 0 ] && mount -t tmpfs -o "size=$2" tmpfs "$1" 2>/dev/null || return 1
  mounts="$1 $mounts"
}

cp "$examples/undivided.csv" u.csv
cp u.csv u.orig
ln -s u.csv link.csv
ln u.csv hard.csv

# The input named as the output, however it is spelled: a usage error before anything is written.
for output in u.csv ./u.csv "$work/u.csv" link.csv hard.csv; do
  for option in --pdf --csv; do
    run "$option" "$output" u.csv
    expect 2 "is the input file" "$option $output u.csv"
    cmp -s u.csv u.orig || fail "$option $output u.csv changed the input"
    cp u.orig u.csv
  done
done
# The other cases read a copy that is never named as an output.
cp u.orig road.csv

# A FIFO is refused at once: opening it for writing would wait for a reader for ever.
mkfifo pipe.pdf
run --pdf pipe.pdf road.csv
expect 1 "cannot write pipe.pdf: not a regular file (a named pipe)" "FIFO"
[ -p pipe.pdf ] || fail "the FIFO was replaced"
run --csv pipe.pdf road.csv
expect 1 "cannot write pipe.pdf: not a regular file (a named pipe)" "FIFO for --csv"

# File names are bytes: names and a folder that are not UTF-8 are written as given, and two
# names that differ only in such bytes stay two files.
odd_dir=$(printf 'd\377')
mkdir "$odd_dir"
for name in "$(printf 'o\377\376.pdf')" "$(printf 'o\376\377.pdf')"; do
  run --pdf "$odd_dir/$name" road.csv
  expect 0 "" "--pdf with a name that is not UTF-8"
  head -c 5 "$odd_dir/$name" | grep -q '%PDF-' || fail "no PDF under a name that is not UTF-8"
done
run --csv "$odd_dir/$(printf 'p\377.csv')" road.csv
expect 0 "" "--csv with a name that is not UTF-8"
[ -s "$odd_dir/$(printf 'p\377.csv')" ] || fail "no CSV under a name that is not UTF-8"
[ "$(ls -A "$odd_dir" | wc -l)" -eq 3 ] || fail "$odd_dir holds other files: $(ls -A "$odd_dir")"

mkdir dir.pdf
run --pdf dir.pdf road.csv
expect 1 "cannot write dir.pdf: Is a directory" "directory"
[ -d dir.pdf ] || fail "the directory was replaced"

run --pdf missing/book.pdf road.csv
expect 1 "cannot write missing/book.pdf: No such file or directory" "missing folder"
[ ! -e missing ] || fail "the missing folder was made"

run --pdf /dev/null road.csv
expect 1 "cannot write /dev/null: not a regular file (a device)" "device"

# A read-only folder: by permission for a user, by a read-only file system for root.
mkdir ro
if [ "$(id -u)" -ne 0 ]; then
  chmod 555 ro
  run --pdf ro/book.pdf road.csv
  expect 1 "cannot write ro/book.pdf: Permission denied" "read-only folder"
  echo "old" >locked.pdf
  chmod 444 locked.pdf
  run --pdf locked.pdf road.csv
  expect 1 "cannot write locked.pdf: Permission denied" "read-only file"
  [ "$(cat locked.pdf)" = "old" ] || fail "the read-only file was replaced"
elif mount_tmpfs ro 64k && mount -o remount,ro ro; then
  run --pdf ro/book.pdf road.csv
  expect 1 "cannot write ro/book.pdf: Read-only file system" "read-only file system"
else
  echo "SKIPPED: read-only folder (cannot mount a tmpfs here)"
fi

# Lost standard output: a full device and a closed descriptor.
for args in "--text road.csv" "--stations road.csv" "--help" "--version" "--list-printers"; do
  # shellcheck disable=SC2086
  timeout 60 "$book" $args >/dev/full 2>err
  status=$?
  expect 1 "cannot write the standard output: No space left on device" "$args >/dev/full"
  # shellcheck disable=SC2086
  timeout 60 "$book" $args >&- 2>err
  status=$?
  expect 1 "cannot write the standard output: Bad file descriptor" "$args >&-"
done

# The standard output onto the input, as cat refuses it: nothing written, the input as it was.
cp u.orig in.csv
for args in "--text" "--csv -" "--stakeout -"; do
  # shellcheck disable=SC2086
  timeout 60 "$book" $args in.csv 1<>in.csv 2>err
  status=$?
  expect 2 "the standard output is the input file in.csv: choose another output" "$args in.csv 1<>in.csv"
  # shellcheck disable=SC2086
  timeout 60 "$book" $args in.csv >>in.csv 2>err
  status=$?
  expect 2 "the standard output is the input file in.csv: choose another output" "$args in.csv >>in.csv"
  cmp -s in.csv u.orig || fail "$args wrote onto its input"
  cp u.orig in.csv
done

# Numbers in messages are the same in every locale, also where Qt sets the C library's locale
# from the environment (the PDF path).
if locale -a 2>/dev/null | grep -qix 'de_DE.utf-\{0,1\}8'; then
  LC_ALL=de_DE.UTF-8 timeout 60 "$book" --to-station 2000+00 --pdf de.pdf road.csv >out 2>err
  status=$?
  expect 2 "lies in the range up to 2000+00.00 (its stations run from 2389+00.00 to 2403+50.00)" \
    "a station range message under de_DE.UTF-8"
else
  echo "SKIPPED: numbers under a German locale (de_DE.UTF-8 is not installed; sh scripts/install-deps makes it)"
fi

# A divided roadway of $1 stations with nine points a side, three stations a page.
divided_book() {
  awk -v stations="$1" 'BEGIN {
    printf "\"VANTREL REPORT,Generated\r\nJob\r\nDIVIDED,Roadway 2\r\nStation,Region,,,,,,,Side\r\n"
    for (s = 0; s < stations; s++) {
      sta = sprintf("%d+00.00", 1000 + s); region = sta " R2"
      for (p = 0; p < 9; p++) printf "%s,%s,,,x,%s,,,LEFT,LtP%d,%.2f,%.2f\r\n", sta, region, region, p, -60 + 6 * p, 800 + p / 10
      printf ",,,,,,,,,,,,,,,\r\n"
      for (p = 0; p < 9; p++) printf "%s,%s,,,x,%s,,,RIGHT,RtP%d,%.2f,%.2f\r\n", sta, region, region, p, 12 + 6 * p, 800 + p / 10
      printf ",,,,,,,,,,,,,,,\r\n"
    }
  }'
}
# 200 pages, whose PDF fills no small disk; and 2001 stations cut at 501 pages a side, which
# take long enough to write to be killed on the way.
divided_book 300 >mid.csv
divided_book 2001 >long.csv

# A full disk keeps the good PDF that was there; a new PDF that does not fit is not left half.
if mount_tmpfs disk 64k; then
  run --pdf disk/book.pdf road.csv
  expect 0 "" "a book that fits"
  cp disk/book.pdf good.pdf
  run --pdf disk/book.pdf mid.csv
  expect 1 "cannot write disk/book.pdf: No space left on device" "full disk, old PDF"
  cmp -s disk/book.pdf good.pdf || fail "the full disk lost the old PDF"
  run --pdf disk/new.pdf mid.csv
  expect 1 "cannot write disk/new.pdf: No space left on device" "full disk, new PDF"
  run --csv disk/book.pdf mid.csv
  expect 1 "cannot write disk/book.pdf: No space left on device" "full disk, CSV"
  cmp -s disk/book.pdf good.pdf || fail "the full disk lost the old file to the CSV"
  expect_names disk book.pdf
else
  echo "SKIPPED: full disk (mounting a 64 KB tmpfs needs root)"
fi

# A file past the size limit (ulimit -f, here 16 blocks of 512 bytes): the write fails with its
# reason and status 1, and no temporary file is left (SIGXFSZ would end the run without a word).
mkdir limited
# (The PDF's pages are drawn into a memory file under the same limit, whose failure Qt reports
# without the system's reason.)
for option in --csv --stakeout --pdf; do
  sh -c 'ulimit -f 16 && exec "$@"' sh timeout 60 "$book" --side left "$option" limited/out mid.csv \
    >out 2>err
  status=$?
  reason=": File too large"
  [ "$option" = --pdf ] && reason=""
  expect 1 "cannot write limited/out$reason" "$option past ulimit -f"
  [ -z "$(ls -A limited)" ] || fail "$option past ulimit -f left $(ls -A limited)"
done
sh -c 'ulimit -f 16 && exec "$@"' sh timeout 60 "$book" --text mid.csv >limited.txt 2>err
status=$?
expect 1 "cannot write the standard output: File too large" "--text past ulimit -f"

mkdir killed
run --pdf killed/book.pdf road.csv
expect 0 "" "the PDF that the killed run replaces"
cp killed/book.pdf killed.orig

# Starts the long book over killed/book.pdf, waits until it is being written (its temporary file
# made, or the target changing) and sends the signal $1.
kill_while_writing() {
  "$book" --pdf killed/book.pdf long.csv >/dev/null 2>&1 &
  writer=$!
  caught=""
  tries=0
  while [ "$tries" -lt 6000 ] && kill -0 "$writer" 2>/dev/null; do
    for f in killed/.book.pdf.*.tmp; do [ -e "$f" ] && caught=1; done
    cmp -s killed/book.pdf killed.orig || caught=1
    [ -n "$caught" ] && break
    sleep 0.01
    tries=$((tries + 1))
  done
  kill "-$1" "$writer" 2>/dev/null
  wait "$writer" 2>/dev/null
  writer=""
  if [ -z "$caught" ]; then
    fail "kill -$1: the long run ended before it could be caught writing"
  else
    cmp -s killed/book.pdf killed.orig || fail "kill -$1: the killed run left a changed book.pdf"
  fi
}

# An interrupted run also removes its temporary file; kill -9 cannot, but leaves the old PDF.
kill_while_writing TERM
expect_names killed book.pdf
kill_while_writing KILL

if [ "$failures" -ne 0 ]; then
  echo "$failures FAILED"
  exit 1
fi
echo "PASSED"
