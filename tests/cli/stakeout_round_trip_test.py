#!/usr/bin/env python3
"""vantrels-book --stakeout read back by independent readers and checked row by row against --csv.

Usage: stakeout_round_trip_test.py VANTRELS_BOOK EXAMPLES_DIR
TBC files are read with Python's csv module (after their "TBC Excel" line), Civil 3D files by
splitting lines at commas (comment lines skipped). Every point row of --csv must come back in
order: its station with the "+" removed, its offset and elevation as written, and the point code
whose description the spreadsheet shows. Checked for both examples (each side of the divided one)
and for a generated book of 2001 stations.
"""
import csv
import io
import os
import subprocess
import sys
import tempfile

DESCRIPTIONS = {"LtSgShldr": "Left Shoulder", "LtSgEOP": "Left Edge", "RtSgEOP": "Right Edge",
                "RtSgShldr": "Right Shoulder", "BR": "Break"}


def plain_number(station):
    """The station text with its "+" removed, without leading zeros."""
    sign, digits = ("-", station[1:]) if station.startswith("-") else ("", station)
    whole, point, fraction = digits.replace("+", "").partition(".")
    whole = whole.lstrip("0") or "0"
    if whole == "0" and not fraction.strip("0"):
        sign = ""
    return sign + whole + point + fraction


def spreadsheet_points(book, path, side_args):
    out = subprocess.run([book, "--csv", "-", *side_args, path], check=True,
                         capture_output=True).stdout.decode("utf-8")
    rows = list(csv.reader(io.StringIO(out, newline="")))[1:]
    return [(plain_number(station), offset, elevation, description)
            for _, station, _, number, description, offset, elevation, _, _ in rows if number]


def tbc_points(data):
    rows = list(csv.reader(io.StringIO(data.decode("cp1252"), newline="")))
    if rows[0] != ["TBC Excel"]:
        raise ValueError(f"first line {rows[0]}")
    return [tuple(row) for row in rows[1:]]


def civil3d_points(data):
    lines = data.decode("cp1252").split("\r\n")
    if lines.pop() != "":
        raise ValueError("the last line has no CR LF")
    points = []
    for line in lines:
        if line.startswith((";", "#")):
            continue
        fields = line.split(",")
        points.append(tuple(fields) if len(fields) == 4 else (*fields, ""))
    return points


READERS = {"tbc": tbc_points, "civil3d": civil3d_points}


def check(book, path, side_args, failures):
    name = f"{os.path.basename(path)} {' '.join(side_args)}".strip()
    expected = spreadsheet_points(book, path, side_args)
    if not expected:
        failures.append(f"{name}: the spreadsheet has no points")
    for form, reader in READERS.items():
        with tempfile.TemporaryDirectory() as folder:
            out = os.path.join(folder, "stakeout.csv")
            subprocess.run([book, "--stakeout", out, "--stakeout-format", form, *side_args, path],
                           check=True)
            with open(out, "rb") as f:
                written = f.read()
        shown = subprocess.run([book, "--stakeout", "-", "--stakeout-format", form, *side_args,
                                path], check=True, capture_output=True).stdout
        if written != shown:
            failures.append(f"{name} {form}: the file and stdout differ")
        try:
            points = reader(written)
        except (ValueError, csv.Error) as error:
            failures.append(f"{name} {form}: unreadable: {error}")
            continue
        if len(points) != len(expected):
            failures.append(f"{name} {form}: {len(points)} points, the spreadsheet {len(expected)}")
        for n, (got, want) in enumerate(zip(points, expected)):
            station, offset, elevation, code = got
            if (station, offset, elevation, DESCRIPTIONS.get(code, code)) != want:
                failures.append(f"{name} {form} row {n + 1}: {got}, the spreadsheet {want}")
                break


def generated_book(folder, stations=2001):
    """An undivided roadway of `stations` stations of three points, CR LF line ends."""
    rows = ['"VANTREL REPORT,Generated', "Job", "UNDIVIDED,Roadway 1"]
    for s in range(stations):
        station = f"{1000 + s // 2}+{50 * (s % 2):02d}.00"
        region = f"{station} R1"
        for code, offset in (("LtSgEOP", -12), ("CL", 0), ("RtSgEOP", 12)):
            elevation = 800 + s / 100 - abs(offset) * 0.02
            rows.append(f"{station},{region},,,CL1,{region},TYP,1,,{code},{offset:.2f},"
                        f"{elevation:.2f}")
        if s + 1 < stations:
            rows.append(",,,,,,,,,,,")
    path = os.path.join(folder, "generated.csv")
    with open(path, "wb") as f:
        f.write("\r\n".join(rows).encode("ascii"))
    return path


def main():
    book, examples = sys.argv[1], sys.argv[2]
    failures = []
    with tempfile.TemporaryDirectory() as folder:
        check(book, os.path.join(examples, "undivided.csv"), [], failures)
        for side in ("left", "right"):
            check(book, os.path.join(examples, "divided.csv"), ["--side", side], failures)
        check(book, generated_book(folder), [], failures)
    for failure in failures[:20]:
        print("FAILED:", failure)
    print("PASSED" if not failures else f"{len(failures)} FAILED")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
