#!/bin/sh
# Whole-process comparison of `vantrels-book --pdf` with the hand-made pipeline
# `vantrels-book --text | enscript | ps2pdf` on the same book: the two run in turn (A B A B ...),
# each timed by /usr/bin/time, and the ratio is taken pair by pair, so that a machine whose speed
# drifts during the run still gives a fair ratio. Prints the medians, how many times faster the
# PDF is than the pipeline, the PDF sizes, pages and megabytes per 1,000 pages.
# With BASELINE=path/to/an/older/vantrels-book, its --pdf runs third in every round (A B C A B C
# ...) and is compared with A pair by pair as well.
# Usage: bench/pdf_pipeline.sh VANTRELS_BOOK DATA_DIR [SHAPE...]; RUNS pairs (default 5).
# Installs enscript and ghostscript (ps2pdf) from Debian's packages when they are missing.
set -eu
BOOK="$1"
DATA="$2"
shift 2
SHAPES="${*:-undivided-2001x3 divided-2001x9}"
RUNS="${RUNS:-5}"
BASELINE="${BASELINE:-}"

if ! command -v enscript >/dev/null 2>&1 || ! command -v ps2pdf >/dev/null 2>&1; then
  SUDO=""
  [ "$(id -u)" -eq 0 ] || SUDO="sudo"
  echo "pdf_pipeline: installing enscript and ghostscript"
  $SUDO apt-get -o DPkg::Lock::Timeout=300 update -qq
  $SUDO env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=300 install -y -qq \
    --no-install-recommends enscript ghostscript >/dev/null
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Seconds of wall, user and system time of one command, as "wall cpu".
timed() {
  /usr/bin/time -f '%e %U %S' -o "$work/time" "$@" >/dev/null 2>&1
  awk '{ printf "%s %.3f\n", $1, $2 + $3 }' "$work/time"
}

median() {
  sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2];
                                      else printf "%.3f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

# Median of column $2 of file $1.
column_median() {
  cut -d' ' -f"$2" "$1" | median
}

# Letter paper with quarter-inch margins and a 10-point Courier: the same page as the book's.
pipeline='"$0" --text "$1" | enscript -q -B -M Letter -f Courier10 --margins=18:18:18:18 -p - |
  ps2pdf - "$2"'

echo "Whole process, $RUNS pairs, medians (load before: $(cut -d' ' -f1-3 /proc/loadavg))"
printf '%-22s %10s %10s %12s %12s %10s %10s\n' "book" "--pdf wall" "cpu" "pipeline wall" "cpu" \
  "ratio wall" "ratio cpu"
for shape in $SHAPES; do
  csv="$DATA/$shape.csv"
  : >"$work/a"
  : >"$work/b"
  : >"$work/c"
  : >"$work/ratio"
  : >"$work/baseline_ratio"
  i=0
  while [ "$i" -lt "$RUNS" ]; do
    a=$(timed "$BOOK" --pdf "$work/book.pdf" "$csv")
    b=$(timed sh -c "$pipeline" "$BOOK" "$csv" "$work/pipeline.pdf")
    echo "$a" >>"$work/a"
    echo "$b" >>"$work/b"
    echo "$a $b" | awk '{ printf "%.4f %.4f\n", $1 / $3, $2 / $4 }' >>"$work/ratio"
    if [ -n "$BASELINE" ]; then
      c=$(timed "$BASELINE" --pdf "$work/baseline.pdf" "$csv")
      echo "$c" >>"$work/c"
      echo "$a $c" | awk '{ printf "%.4f %.4f\n", $1 / $3, $2 / $4 }' >>"$work/baseline_ratio"
    fi
    i=$((i + 1))
  done
  printf '%-22s %10s %10s %12s %12s %10s %10s\n' "$shape" \
    "$(column_median "$work/a" 1)" "$(column_median "$work/a" 2)" \
    "$(column_median "$work/b" 1)" "$(column_median "$work/b" 2)" \
    "$(column_median "$work/ratio" 1)" "$(column_median "$work/ratio" 2)"
  echo "  --pdf is $(column_median "$work/ratio" 1 | awk '{ printf "%.2f", 1 / $1 }') times" \
    "faster than the pipeline (wall), $(column_median "$work/ratio" 2 |
      awk '{ printf "%.2f", 1 / $1 }') times (cpu)"
  if [ -n "$BASELINE" ]; then
    echo "  baseline --pdf: wall $(column_median "$work/c" 1), cpu $(column_median "$work/c" 2);" \
      "this/baseline wall $(column_median "$work/baseline_ratio" 1)," \
      "cpu $(column_median "$work/baseline_ratio" 2)"
  fi
  for pdf in book pipeline ${BASELINE:+baseline}; do
    pages=$(pdfinfo "$work/$pdf.pdf" 2>/dev/null | awk '/^Pages:/ { print $2 }')
    bytes=$(wc -c <"$work/$pdf.pdf")
    echo "  $pdf.pdf: $bytes bytes, ${pages:-?} pages," \
      "$(echo "$bytes ${pages:-0}" | awk '{ if ($2 > 0) printf "%.2f", $1 / $2 / 1000; else print "?" }')" \
      "MB per 1,000 pages"
  done
done
echo "pdf_pipeline: load after: $(cut -d' ' -f1-3 /proc/loadavg)"
