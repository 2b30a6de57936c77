#!/usr/bin/env python3
"""vantrels-book --csv read back with Python's csv module, against the criteria files read here.

Usage: csv_round_trip_test.py VANTRELS_BOOK EXAMPLES_DIR
Each file's export must parse as RFC 4180 UTF-8, hold one row per point of every station (a
message station as one row of its text) with the file's texts decoded from Windows-1252, and
cross slopes that are the rounded slopes between neighbouring points.
"""
import csv
import io
import os
import subprocess
import sys
import tempfile
from decimal import Decimal, ROUND_HALF_UP

HEADER = ["Side", "Station", "Region Station", "Point", "Description", "Offset", "Elevation",
          "Cross Slope (%)", "Message"]
DESCRIPTIONS = {"LtSgShldr": "Left Shoulder", "LtSgEOP": "Left Edge", "RtSgEOP": "Right Edge",
                "RtSgShldr": "Right Shoulder", "BR": "Break"}
KEYWORDS = ("MESSAGE", "ERROR")


def stations_of(path):
    """{(side, region station): (station, message or None, [(description, offset, elevation)])}
    in file order, read straight from the criteria file."""
    with open(path, "rb") as f:
        lines = f.read().decode("cp1252").split("\r\n")
    divided = lines[2].upper().startswith("DIVIDED")
    stations = {}
    for line in lines[4 if divided else 3:]:
        fields = line.split(",")
        if len(fields) < 4 or not fields[0]:
            continue
        side = (fields[8].capitalize() if divided else "Undivided")
        at = 3 if divided else 2
        if fields[at] in KEYWORDS:
            side = fields[8].capitalize() if divided else side
            stations[(side, fields[1])] = (fields[0], fields[at + 1], [])
            continue
        entry = stations.setdefault((side, fields[1]), (fields[0], None, []))
        entry[2].append((DESCRIPTIONS.get(fields[9], fields[9]), fields[10], fields[11]))
    return divided, stations


def hash_dot_00(value):
    text = str(Decimal(format(value, ".15g")).quantize(Decimal("0.01"), rounding=ROUND_HALF_UP))
    return text.replace("0.", ".", 1) if text.lstrip("-").startswith("0.") else text


def check(book, path, failures):
    name = os.path.basename(path)
    with tempfile.TemporaryDirectory() as folder:
        out = os.path.join(folder, "points.csv")
        subprocess.run([book, "--csv", out, path], check=True)
        with open(out, "rb") as f:
            written = f.read()
    shown = subprocess.run([book, "--csv", "-", path], check=True, capture_output=True).stdout
    if written != shown:
        failures.append(f"{name}: the file and stdout differ")
    rows = list(csv.reader(io.StringIO(written.decode("utf-8"), newline="")))
    if rows[0] != HEADER:
        failures.append(f"{name}: header {rows[0]}")
    if any(len(row) != len(HEADER) for row in rows):
        failures.append(f"{name}: a row without {len(HEADER)} fields")
    divided, stations = stations_of(path)
    exported = {}
    for side, station, region, number, description, offset, elevation, slope, message in rows[1:]:
        entry = exported.setdefault((side, region), (station, None, [], []))
        if message:
            exported[(side, region)] = (station, message, [], [])
            continue
        if not number:
            continue
        if number != str(len(entry[2]) + 1):
            failures.append(f"{name}: {side} {region} point {number} out of order")
        entry[2].append((description, offset, elevation))
        entry[3].append(slope)
    # A divided book holds the left side's stations, then the right side's.
    if list(exported) != sorted(stations, key=lambda key: key[0] == "Right"):
        failures.append(f"{name}: stations {list(exported)[:3]}... not those of the file")
    for key, (station, message, points, slopes) in exported.items():
        want_station, want_message, want_points = stations.get(key, (None, None, []))
        if (station, message) != (want_station, want_message):
            failures.append(f"{name}: {key}: {station} {message!r}, not {want_message!r}")
        # A divided station's points come ordered by offset; an undivided one's as in the file.
        order = (lambda p: sorted(p, key=lambda q: float(q[1]))) if divided else list
        if order(points) != order(want_points):
            failures.append(f"{name}: {key}: points {points} not {want_points}")
        for n, slope in enumerate(slopes):
            if n + 1 == len(points):
                want = ""
            else:
                (_, o0, e0), (_, o1, e1) = points[n], points[n + 1]
                want = hash_dot_00(((float(e1) - float(e0)) * 100) / (float(o1) - float(o0)))
            if slope != want:
                failures.append(f"{name}: {key} point {n + 1}: slope {slope!r}, not {want!r}")


def quoted_file(folder):
    """An undivided file whose descriptions and message hold quotes and Windows-1252 letters."""
    rows = ['"VANTREL REPORT,Quotes', "Job", "UNDIVIDED,Roadway 1"]
    points = [('12" Pipe "A"', "-20.00", "100.00"), ("Stra\xdfe \x80 \x93Gutter\x94", "0.00",
                                                     "100.40"), ("\xc9paule", "20.00", "100.00")]
    for code, offset, elevation in points:
        rows.append(f"10+00.00,10+00.00 R1,,,x,10+00.00 R1,,,,{code},{offset},{elevation}")
    rows.append(",,,,,,,,,,,")
    rows.append('10+50.00,10+50.00 R1,MESSAGE,Slab "B" \x96 no criteria,x,10+50.00 R1')
    rows.append("11+00.00,11+00.00 R1,,,x,11+00.00 R1,,,,LtSgEOP,-12.00,100.00")
    path = os.path.join(folder, "quotes.csv")
    with open(path, "wb") as f:
        f.write("\r\n".join(rows).encode("latin-1"))
    return path


def main():
    book, examples = sys.argv[1], sys.argv[2]
    failures = []
    with tempfile.TemporaryDirectory() as folder:
        for path in (os.path.join(examples, "undivided.csv"), os.path.join(examples, "divided.csv"),
                     quoted_file(folder)):
            check(book, path, failures)
    for failure in failures[:20]:
        print("FAILED:", failure)
    print("PASSED" if not failures else f"{len(failures)} FAILED")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
