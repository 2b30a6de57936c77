#!/bin/sh
# The real printing path: vantrels-book prints an example book on a CUPS-PDF queue of a private
# CUPS daemon, and the PDF that the queue writes holds the book's pages.
# Usage: cups_print_test.sh VANTRELS_BOOK EXAMPLE.csv
# Exit status: 0 passed, 1 failed, 77 skipped.
set -u

book=$1
example=$2
PATH="$PATH:/usr/sbin:/sbin"
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
backend=/usr/lib/cups/backend/cups-pdf
pdf_conf=/etc/cups/cups-pdf.conf
queue=PDF

skip() {
  echo "SKIPPED: $*"
  exit 77
}

work=""
pid=""
written=""
made_out_dir=""

fail() {
  echo "FAILED: $*"
  if [ -n "$work" ] && [ -f "$work/log/error_log" ]; then
    echo "--- the daemon's error log:"
    tail -n 40 "$work/log/error_log"
  fi
  exit 1
}

[ "$(id -u)" -eq 0 ] || skip "the CUPS printing test runs only as root (it starts its own cupsd)"
command -v cupsd >/dev/null 2>&1 || skip "cupsd is not installed (Debian package cups)"
for tool in lpadmin lpstat pdfinfo; do
  command -v "$tool" >/dev/null 2>&1 || skip "$tool is not installed"
done
[ -f "$ppd" ] && [ -x "$backend" ] ||
  skip "the CUPS-PDF driver is not installed (Debian package printer-driver-cups-pdf)"

cleanup() {
  if [ -n "$pid" ]; then
    lpadmin -x "$queue" >/dev/null 2>&1
    kill "$pid" 2>/dev/null
    tries=0
    while kill -0 "$pid" 2>/dev/null && [ "$tries" -lt 20 ]; do
      sleep 0.5
      tries=$((tries + 1))
    done
    kill -KILL "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
  fi
  [ -n "$written" ] && rm -f "$written"
  [ -n "$made_out_dir" ] && rmdir "$made_out_dir" 2>/dev/null
  [ -n "$work" ] && rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' INT TERM HUP

# A daemon of its own: its configuration, spool and socket live in a scratch directory, so the
# system's CUPS set-up and any running scheduler are left alone.
work=$(mktemp -d /tmp/vantrels-cups.XXXXXX) || fail "no scratch directory"
# The filters run as lp and must reach the spool below it.
chmod 755 "$work"
mkdir -p "$work/etc/ppd" "$work/spool/tmp" "$work/cache" "$work/state" "$work/log"
cat >"$work/etc/cupsd.conf" <<CONF
LogLevel info
Listen $work/cups.sock
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  JobPrivateAccess default
  JobPrivateValues default
  SubscriptionPrivateAccess default
  SubscriptionPrivateValues default
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
cat >"$work/etc/cups-files.conf" <<CONF
ServerRoot $work/etc
RequestRoot $work/spool
TempDir $work/spool/tmp
CacheDir $work/cache
StateDir $work/state
ErrorLog $work/log/error_log
AccessLog $work/log/access_log
PageLog $work/log/page_log
Printcap $work/printcap
CONF
export CUPS_SERVER="$work/cups.sock"

cupsd -f -c "$work/etc/cupsd.conf" -s "$work/etc/cups-files.conf" >"$work/log/cupsd.out" 2>&1 &
pid=$!
tries=0
until lpstat -r >/dev/null 2>&1; do
  kill -0 "$pid" 2>/dev/null || fail "cupsd stopped at start: $(cat "$work/log/cupsd.out")"
  [ "$tries" -lt 60 ] || fail "cupsd did not answer within 30 s"
  sleep 0.5
  tries=$((tries + 1))
done
echo "cupsd runs as PID $pid on $CUPS_SERVER"

# Letter paper on the queue, whatever the system's default paper. The scheduler reloads once
# just after it starts answering and drops connections meanwhile: try again a few times.
tries=0
until lpadmin -p "$queue" -v cups-pdf:/ -P "$ppd" -E -o PageSize=Letter 2>"$work/log/lpadmin.err"
do
  [ "$tries" -lt 20 ] || fail "lpadmin could not add the queue: $(cat "$work/log/lpadmin.err")"
  sleep 0.5
  tries=$((tries + 1))
done

list=$("$book" --list-printers) || fail "vantrels-book --list-printers failed"
echo "vantrels-book --list-printers:"
printf '%s\n' "$list"
queue_line=$(printf '%s\n' "$list" | grep -n -x "$queue" | head -n 1 | cut -d: -f1)
pdf_line=$(printf '%s\n' "$list" | grep -n -x "PDF file" | head -n 1 | cut -d: -f1)
[ -n "$queue_line" ] || fail "the queue $queue is not listed"
[ -n "$pdf_line" ] && [ "$(printf '%s\n' "$list" | tail -n 1)" = "PDF file" ] ||
  fail "\"PDF file\" is not the last entry"
[ "$queue_line" -lt "$pdf_line" ] || fail "the queue $queue is not listed before \"PDF file\""

# Where CUPS-PDF writes the jobs of this user (the Debian set-up: ~/PDF).
user=$(id -un)
home=$(getent passwd "$user" | cut -d: -f6)
out=$(sed -n 's/^[[:space:]]*Out[[:space:]][[:space:]]*//p' "$pdf_conf" 2>/dev/null | tail -n 1)
[ -n "$out" ] || out='/var/spool/cups-pdf/${USER}'
out=$(printf '%s\n' "$out" | sed -e "s|\${HOME}|$home|g" -e "s|\${USER}|$user|g")
anon=$(sed -n 's/^[[:space:]]*AnonDirName[[:space:]][[:space:]]*//p' "$pdf_conf" 2>/dev/null |
  tail -n 1)
[ -n "$anon" ] || anon=/var/spool/cups-pdf/ANONYMOUS
[ -d "$out" ] || made_out_dir=$out
touch "$work/marker"

"$book" --printer "$queue" --project X "$example" || fail "vantrels-book --printer $queue failed"

tries=0
while [ -n "$(lpstat -o "$queue" 2>/dev/null)" ]; do
  [ "$tries" -lt 120 ] || fail "the queue was not empty after 60 s: $(lpstat -o "$queue")"
  sleep 0.5
  tries=$((tries + 1))
done
lpstat -W completed -o "$queue" | grep -q . || fail "no job of $queue completed"

written=$(find "$out" "$anon" -maxdepth 1 -type f -name '*.pdf' -newer "$work/marker" \
  2>/dev/null | head -n 1)
[ -n "$written" ] || fail "no PDF written in $out or $anon"
echo "the queue wrote $written"

# The book laid out on the queue's printable area: Letter, on which the CUPS-PDF driver can
# print up to the edges, in character cells of 1/12 x 1/6 inch (72 / 12 = 6 points wide,
# 72 / 6 = 12 points high).
area=$(sed -n 's|^\*ImageableArea Letter/[^:]*:[[:space:]]*"\([^"]*\)".*|\1|p' \
  "$work/etc/ppd/$queue.ppd" | head -n 1)
[ -n "$area" ] || fail "the queue's PPD has no Letter imageable area"
cells=$(echo "$area" | awk '{ printf "%gx%g", ($3 - $1) / 6, ($4 - $2) / 12 }')
expected=$("$book" --text --cells "$cells" --project X "$example" | grep -c "$(printf '^\f$')")
pages=$(pdfinfo "$written" | sed -n 's/^Pages:[[:space:]]*//p')
echo "the book on $cells cells has $expected pages; the printed PDF has $pages"
[ "$expected" -gt 0 ] || fail "the text book has no pages"
[ "$pages" = "$expected" ] || fail "the printed PDF has $pages pages, the book $expected"
echo "PASSED"
