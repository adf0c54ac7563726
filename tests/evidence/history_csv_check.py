#!/usr/bin/env python3
"""Reads the history.csv of an evidence pack as any spreadsheet or script
would, recomputes each entry's hash from its columns by the recipe of the
README, independently of the program, and prints one line an entry:
"ID TABLE_NAME RECORD_KEY ACTION: ok", or "...: HASH DIFFERS".
Usage: history_csv_check.py history.csv
"""
import csv
import hashlib
import sys

HASHED = ["PREV_HASH", "ID", "MOMENT", "TABLE_NAME", "RECORD_KEY", "ACTION", "SOURCE", "CHANGES"]

with open(sys.argv[1], newline="", encoding="utf-8") as file:
    for row in csv.DictReader(file):
        content = b"".join(row[name].encode("cp1252") + b"\n" for name in HASHED)
        verdict = "ok" if hashlib.sha256(content).hexdigest() == row["HASH"] else "HASH DIFFERS"
        print(f"{row['ID']} {row['TABLE_NAME']} {row['RECORD_KEY']} {row['ACTION']}: {verdict}")
