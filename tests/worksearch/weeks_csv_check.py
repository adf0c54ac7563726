#!/usr/bin/env python3
"""Reads a weekly log's CSV files as any spreadsheet or script would and
prints each record of each file on a line of its own, its fields between
"|": first weeks_summary.csv, then weeks.csv.
Usage: weeks_csv_check.py FOLDER
"""
import csv
import os
import sys

for name in ("weeks_summary.csv", "weeks.csv"):
    with open(os.path.join(sys.argv[1], name), newline="", encoding="utf-8") as file:
        print(name)
        for record in csv.reader(file):
            print("|".join(record))
