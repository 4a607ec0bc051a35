#!/usr/bin/env python3
"""Prints the median (lowest-highest) table of a benchmark's runs, one column
per program, one row per figure.

    median_table.py RESULTS RUNS PROGRAM=HEADING PROGRAM=HEADING KEY=LABEL...

RESULTS holds one line per run: the program's name, then KEY=VALUE pairs (a
key may come more than once; "none" is no value). Keys ending in _kib are
shown in MiB; a figure a program has no value for shows as "-".
"""
import statistics
import sys


def read(path):
    figures = {}
    for line in open(path, encoding="utf-8"):
        name, *pairs = line.split()
        for pair in pairs:
            key, value = pair.split("=")
            if value != "none":
                figures.setdefault((name, key), []).append(float(value))
    return figures


def cell(values, key):
    if not values:
        return "-"
    scale = 1024 if key.endswith("_kib") else 1
    low, median, high = (v / scale for v in (min(values), statistics.median(values), max(values)))
    return f"{median:.1f} ({low:.1f}-{high:.1f})"


def main(path, runs, *columns_and_rows):
    columns = [column.split("=", 1) for column in columns_and_rows[:2]]
    rows = [row.split("=", 1) for row in columns_and_rows[2:]]
    figures = read(path)
    print(f"\nmedian (lowest-highest) of {runs} runs\n")
    print("| figure | " + " | ".join(heading for _, heading in columns) + " |")
    print("|---|---|---|")
    for key, label in rows:
        cells = [cell(figures.get((name, key)), key) for name, _ in columns]
        print(f"| {label} | " + " | ".join(cells) + " |")


main(*sys.argv[1:])
